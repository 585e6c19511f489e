#include "WindowFixture.h"

#include "app/SettingsMenu.h"
#include "skin/MenuOpacity.h"
#include "support/CatalogueFixture.h"
#include "window/TbsSkinMessage.h"
#include "window/TimerDlg.h"
#include "window/ZnHideForm.h"

#include <QCheckBox>
#include <QLabel>
#include <QMenu>

namespace {

const char *const PairItems[] = { "N42", "N43", "N47", "N48", "N53", "N54" };

QStringList visibleItems(const WindowFixture &f)
{
    QStringList out;
    for (const char *name : PairItems) {
        if (f.action(name)->isVisible())
            out << QString::fromLatin1(name);
    }
    return out;
}

struct Opacities
{
    bool dialogsOn;
    int dialogs;
    bool menusOn;
    int menus;
    bool operator==(const Opacities &) const = default;
};

Opacities popupOpacities(const WindowFixture &f)
{
    return { f.form.bsSkinMessage1->AlphaBlend(), f.form.bsSkinMessage1->AlphaBlendValue(),
        f.form.menuOpacity()->AlphaBlend(), f.form.menuOpacity()->AlphaBlendValue() };
}

char *toString(const Opacities &o)
{
    return qstrdup(QStringLiteral("dialogs %1 %2, menus %3 %4")
                       .arg(o.dialogsOn ? "on" : "off")
                       .arg(o.dialogs)
                       .arg(o.menusOn ? "on" : "off")
                       .arg(o.menus)
                       .toUtf8()
                       .constData());
}

// Runs the start-up; a first run's help notice is answered by the caller.
void startUp(WindowFixture &f)
{
    QVERIFY(writeCatalogue(QStringLiteral("zeltodata.dll")));
    QVERIFY(writeCollections(f.scratch.dir.path()));
    f.form.FormCreate();
    QVERIFY(!f.form.terminationRequested());
}

int shownOpacity(QWidget *w)
{
    return qRound(w->windowOpacity() * 255);
}

} // namespace

class TestSettingsMenu : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { quietOpacityWarnings(); }
    void cleanup() { cancelPendingAnswers(); }

    void freshProfileStartsSemiTransparentWithoutConfirmationOrDocking()
    {
        WindowFixture f;
        // Until start-up has applied the settings, both items of each pair show, and
        // dialogs and menus are left opaque.
        QCOMPARE(visibleItems(f).size(), 6);
        QCOMPARE(popupOpacities(f), (Opacities { false, f.form.bsSkinMessage1->AlphaBlendValue(), false, 255 }));

        ScriptedDialog help(f.messages());
        startUp(f);
        QVERIFY(help.seen());
        QCOMPARE(visibleItems(f), (QStringList { "N42", "N48", "N53" }));
        QCOMPARE(popupOpacities(f), (Opacities { true, 220, true, 220 }));
        QVERIFY(!f.form.ZnHideForm1->AutoDock());
        QCOMPARE(f.form.fader()->target(), 220);
        for (const QString &entry : f.storedValues())
            QVERIFY2(entry.startsWith(QLatin1String("Software/zelto")), qPrintable(entry)); // markers only

        // A menu takes the opacity as it opens.
        QMenu *settings = f.form.findChild<QMenu *>(QStringLiteral("N40Menu"));
        QVERIFY(settings);
        settings->popup(QPoint(100, 100));
        QTRY_VERIFY(settings->isVisible());
        QCOMPARE(shownOpacity(settings), 220);
        settings->hide();
        QVERIFY(!f.form.isVisible());
    }

    void storedSettingsAreAppliedAtStartUp()
    {
        WindowFixture f;
        f.markFirstRunDone();
        f.store.set(Settings::ExitConfirmation);
        f.store.set(Settings::Opaque);
        f.store.set(Settings::Docking);
        startUp(f);
        QCOMPARE(visibleItems(f), (QStringList { "N43", "N47", "N54" }));
        QCOMPARE(popupOpacities(f), (Opacities { true, 255, true, 255 }));
        QVERIFY(f.form.ZnHideForm1->AutoDock());
        // The window's own opacity waits for the fade-in.
        QVERIFY(f.opacities.isEmpty());
    }

    void eachItemSwitchesExactlyItsOwnKey()
    {
        WindowFixture f;
        f.markFirstRunDone();
        startUp(f);
        f.form.Timer1->stop(); // no fade-in in between
        const QStringList markers = f.storedValues();
        const auto withMarkers = [&](const QStringList &extra) {
            QStringList all = markers + extra;
            all.sort();
            return all;
        };

        f.action("N42")->trigger();
        QCOMPARE(visibleItems(f), (QStringList { "N43", "N48", "N53" }));
        QCOMPARE(f.storedValues(), withMarkers({ "Software/zelsigtcts/tuichutishi=tishi" }));
        f.action("N43")->trigger();
        QCOMPARE(visibleItems(f), (QStringList { "N42", "N48", "N53" }));
        QVERIFY(f.action("N43")->isChecked());
        QCOMPARE(f.storedValues(), markers);

        // Semi-transparency off: opaque at once, no fade.
        f.action("N48")->trigger();
        QCOMPARE(f.opacities, QList<int> { 255 });
        QCOMPARE(popupOpacities(f), (Opacities { true, 255, true, 255 }));
        QCOMPARE(visibleItems(f), (QStringList { "N42", "N47", "N53" }));
        QCOMPARE(f.storedValues(), withMarkers({ "Software/zelsigtm/tm=tm" }));
        QCOMPARE(f.form.fader()->target(), 255);
        // And on again from the menu: menus get a little more transparent than at start-up.
        f.action("N47")->trigger();
        QCOMPARE(f.opacities, (QList<int> { 255, 220 }));
        QCOMPARE(popupOpacities(f), (Opacities { true, 220, true, SettingsMenu::MenuOpacityFromMenu }));
        QCOMPARE(visibleItems(f), (QStringList { "N42", "N48", "N53" }));
        QCOMPARE(f.storedValues(), markers);

        f.action("N53")->trigger();
        QVERIFY(f.form.ZnHideForm1->AutoDock());
        QCOMPARE(visibleItems(f), (QStringList { "N42", "N48", "N54" }));
        QCOMPARE(f.storedValues(), withMarkers({ "Software/zelsigxfct/xfct=xfct" }));
        f.action("N54")->trigger();
        QVERIFY(!f.form.ZnHideForm1->AutoDock());
        QCOMPARE(visibleItems(f), (QStringList { "N42", "N48", "N53" }));
        QCOMPARE(f.storedValues(), markers);
    }

    void aKeyChangedFromOutsideCountsAtTheNextReading()
    {
        WindowFixture f;
        f.markFirstRunDone();
        startUp(f);
        f.action("N42")->trigger();
        f.form.show();

        SettingsStore other(f.store.filePath());
        other.clear(Settings::ExitConfirmation);
        other.set(Settings::Opaque);
        // The menu still shows the old state; the close asks nothing, the fade uses 255.
        QVERIFY(f.action("N43")->isVisible());
        QVERIFY(f.action("N48")->isVisible());
        QCOMPARE(f.form.fader()->target(), 255);
        ScriptedDialog none(f.messages());
        QVERIFY(f.form.close());
        QCOMPARE(f.quits, 1);
        QVERIFY(!none.seen());
    }

    void unwritableStoreReportsTheErrorAfterTheItemsSwitched()
    {
        // The store's folder cannot be made, its name being a file's: nothing can be written,
        // even by root.
        WindowFixture f(QStringLiteral("blocked/settings.ini"));
        QFile blocker(QStringLiteral("blocked"));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        f.form.Timer1->stop();

        const struct
        {
            const char *item;
            QStringList visibleDuringError;
        } cases[] = {
            { "N42", { "N43", "N47", "N48", "N53", "N54" } },
            { "N48", { "N43", "N47", "N53", "N54" } },
            { "N53", { "N43", "N47", "N54" } },
        };
        for (const auto &c : cases) {
            QString title;
            QString text;
            QStringList visible;
            onNextModal([&](QWidget *w) {
                title = w->windowTitle();
                if (auto *label = w->findChild<QLabel *>(QStringLiteral("Message")))
                    text = label->text();
                visible = visibleItems(f);
                postKey(w, Qt::Key_Return);
            });
            f.action(c.item)->trigger();
            QCOMPARE(title, ApplicationTitle);
            QVERIFY2(!text.isEmpty(), c.item);
            QCOMPARE(visible, c.visibleDuringError);
        }
        // What the items switched has already happened.
        QCOMPARE(f.opacities, QList<int> { 255 });
        QVERIFY(f.form.ZnHideForm1->AutoDock());
    }

    void alwaysOnTopFollowsTheCheckBoxAndIsNotStored()
    {
        WindowFixture f;
        f.form.show();
        QCheckBox *box = f.form.bsSkinCheckRadioBox1;
        QVERIFY(!box->isChecked());
        QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(5, box->height() / 2));
        QVERIFY(box->isChecked());
        QVERIFY(f.form.ZnHideForm1->AlwaysTop());
        QVERIFY(f.form.windowHandle()->flags().testFlag(Qt::WindowStaysOnTopHint));
        QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(5, box->height() / 2));
        QVERIFY(!f.form.ZnHideForm1->AlwaysTop());
        QVERIFY(!QFile::exists(f.store.filePath()));
    }

    // Where windows cannot place themselves, exactly docking and staying on top are off,
    // with a reason; the stored docking setting survives for a desktop that allows it.
    void withoutWindowPlacementDockingAndOnTopAreDisabled()
    {
        WindowFixture f;
        f.markFirstRunDone();
        f.store.set(Settings::Docking);
        f.form.settingsMenu()->setWindowPlacementAvailable(false);
        startUp(f);
        QVERIFY(!f.form.ZnHideForm1->AutoDock());
        QCOMPARE(visibleItems(f), (QStringList { "N42", "N48", "N54" }));
        QVERIFY(f.action("N42")->isEnabled() && f.action("N48")->isEnabled());
        QVERIFY(!f.action("N54")->isEnabled());
        QCOMPARE(f.action("N54")->toolTip(), QStringLiteral("当前桌面不允许程序自行停靠和隐藏窗口"));
        QVERIFY(qobject_cast<QMenu *>(f.action("N54")->parent())->toolTipsVisible());
        QVERIFY(!f.form.bsSkinCheckRadioBox1->isEnabled());
        QCOMPARE(f.form.bsSkinCheckRadioBox1->toolTip(), QStringLiteral("当前桌面不允许窗口置顶"));
        QVERIFY(f.store.isSet(Settings::Docking));

        // Switched off from outside, the plain item stays unavailable when it shows.
        f.store.clear(Settings::Docking);
        f.form.settingsMenu()->applyDocking();
        QVERIFY(f.action("N53")->isVisible());
        QVERIFY(!f.action("N53")->isEnabled());
    }

    // Wayland cannot change a window's opacity: neither the fade nor semi-transparency asks
    // for it, and the setting is stored as chosen, for a desktop that can.
    void withoutOpacityNothingAsksForItAndTheSettingIsKept()
    {
        ScratchDir scratch;
        SettingsStore store(scratch.path(QStringLiteral("config/zelto/settings.ini")));
        store.set(Settings::HelpMarker);
        store.set(Settings::WebMarker);
        RecordingOpener opener;
        InstanceLock lock(ApplicationTitle, scratch.path(QStringLiteral("runtime")));
        PlainWindowPlatform wayland(QStringLiteral("wayland"));
        NullDesktopServices desktopServices;
        TForm1 form(FormServices { store, opener, lock, wayland, desktopServices });
        QVERIFY(writeCatalogue(QStringLiteral("zeltodata.dll")));
        QVERIFY(writeCollections(scratch.dir.path()));
        form.FormCreate();
        form.show();
        QTRY_COMPARE(form.fader()->opacity(), Fader::SemiTransparent);
        QCOMPARE(form.windowOpacity(), 1.0);
        QVERIFY(!form.bsSkinMessage1->AlphaBlend());
        QVERIFY(!form.menuOpacity()->AlphaBlend());

        const auto trigger = [&](const char *name) { form.findChild<QAction *>(QLatin1String(name))->trigger(); };
        trigger("N48");
        QVERIFY(store.isSet(Settings::Opaque));
        trigger("N47");
        QVERIFY(!store.isSet(Settings::Opaque));
        QCOMPARE(form.windowOpacity(), 1.0);
        QVERIFY(!form.menuOpacity()->AlphaBlend());
        form.hide();
    }
};

QTEST_MAIN(TestSettingsMenu)
#include "tst_settingsmenu.moc"
