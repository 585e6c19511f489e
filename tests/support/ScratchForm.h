#pragma once

// A main window built on its own scratch folder, settings store and lock, with the
// addresses it opens recorded. Fixtures add what their tests need on top.

#include "app/TForm1.h"
#include "platform/ApplicationTitle.h"
#include "platform/InstanceLock.h"
#include "platform/PlainWindowPlatform.h"
#include "platform/SettingsStore.h"
#include "support/Recorders.h"
#include "support/TestSupport.h"
#include "window/TbsSkinMessage.h"

#include <QAction>

struct ScratchForm
{
    ScratchDir scratch;
    SettingsStore store;
    RecordingOpener opener;
    InstanceLock lock { ApplicationTitle, scratch.path(QStringLiteral("runtime")) };
    PlainWindowPlatform windowPlatform;
    ScriptedDesktopServices desktopServices;
    TForm1 form { FormServices { store, opener, lock, windowPlatform, desktopServices } };

    explicit ScratchForm(const QString &storePath = QStringLiteral("config/zelto/settings.ini"))
        : store(scratch.path(storePath))
    {
    }

    TbsSkinMessage &messages() { return *form.bsSkinMessage1; }
    QAction *action(const char *name) const { return form.findChild<QAction *>(QLatin1String(name)); }
};
