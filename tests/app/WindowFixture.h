#pragma once

// A main window on its own scratch store, with the values its fader sets recorded and
// the end of the program counted instead of carried out.

#include "app/CloseSequence.h"
#include "app/Fader.h"
#include "platform/SettingsTable.h"
#include "support/Recorders.h"
#include "support/ScratchForm.h"

#include <QAction>
#include <QSettings>

struct WindowFixture : ScratchForm
{
    QList<int> opacities;
    int quits = 0;

    explicit WindowFixture(const QString &storePath = QStringLiteral("config/zelto/settings.ini"))
        : ScratchForm(storePath)
    {
        recordOpacities(form.fader(), opacities);
        form.closeSequence()->setQuit([this] { ++quits; });
    }

    // Every key of the store with its value, "Software/zelsigtm/tm=tm".
    QStringList storedValues() const
    {
        QSettings ini(store.filePath(), QSettings::IniFormat);
        QStringList out;
        const QStringList keys = ini.allKeys();
        for (const QString &k : keys)
            out << k + QLatin1Char('=') + ini.value(k).toString();
        out.sort();
        return out;
    }

    void markFirstRunDone()
    {
        store.set(Settings::HelpMarker);
        store.set(Settings::WebMarker);
    }
};

// 5, 10, … up to the target, then the target once more.
inline QList<int> fadeInValues(int target)
{
    QList<int> v;
    for (int o = 5; o <= target; o += 5)
        v << o;
    v << target;
    return v;
}

// From the target down: target − 5, … 0, then 0 once more.
inline QList<int> fadeOutValues(int target)
{
    QList<int> v;
    for (int o = target - 5; o >= 0; o -= 5)
        v << o;
    v << 0;
    return v;
}
