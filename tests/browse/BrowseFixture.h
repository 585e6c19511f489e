#pragma once

// A started main window in a scratch folder: a small catalogue, the nineteen collection
// files (each test may change them before start()), first-run notices already done.

#include "browse/PageTabs.h"
#include "platform/Gbk.h"
#include "platform/SettingsTable.h"
#include "support/CatalogueFixture.h"
#include "support/ScratchForm.h"

#include <QDir>
#include <QFile>
#include <memory>

struct BrowseForm : ScratchForm
{

    BrowseForm()
    {
        store.set(Settings::HelpMarker);
        store.set(Settings::WebMarker);
        for (int n = 1; n <= 19; ++n)
            writeCollection(n, Gbk::encode(QStringLiteral("第%1个集合\r\n第二行\r\n").arg(n)));
    }

    static void writeCollection(int n, const QByteArray &bytes) { ::writeCollection(QDir::currentPath(), n, bytes); }

    // Writes the catalogue (unless a test wrote its own) and runs the start-up.
    void start()
    {
        if (!QFile::exists(QStringLiteral("zeltodata.dll")))
            writeCatalogue(QStringLiteral("zeltodata.dll"));
        form.FormCreate();
    }

    bool startShown()
    {
        start();
        form.show();
        return QTest::qWaitForWindowExposed(&form);
    }
};
