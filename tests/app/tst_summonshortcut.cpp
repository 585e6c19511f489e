// The desktop-wide key that summons the find window: the stored key and its default, a
// key another program holds, turning it off, and the dialog that changes it.

#include "app/ShortcutDialog.h"
#include "app/SummonShortcut.h"
#include "platform/SettingsStore.h"
#include "platform/SettingsTable.h"
#include "support/Recorders.h"
#include "support/TestSupport.h"
#include "window/TbsSkinMessage.h"

#include <QKeySequenceEdit>
#include <QPushButton>
#include <QTest>

namespace {

using Grab = DesktopServices::Grab;

struct Fixture
{
    ScratchDir scratch;
    SettingsStore store { scratch.path(QStringLiteral("settings.ini")) };
    QWidget form;
    TbsSkinMessage messages { &form };
    ScriptedDesktopServices desktop;
    QList<quint32> summoned;
    SummonShortcut shortcut { { &form, &messages, &store, &desktop },
        [this](quint32 timestamp) { summoned.append(timestamp); } };

    Fixture() { desktop.grabAnswer = Grab::Grabbed; }
};

const QKeySequence Default(QStringLiteral("Ctrl+Alt+Z"));
const QKeySequence Other(QStringLiteral("Ctrl+Shift+K"));

} // namespace

class TestSummonShortcut : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { cancelPendingAnswers(); }

    void defaultKeyIsGrabbedAndSummons()
    {
        Fixture f;
        ScriptedDialog notice(f.messages);
        f.shortcut.apply();
        QCOMPARE(f.desktop.grabs, QList<QKeySequence> { Default });
        QVERIFY(!notice.seen());
        emit f.desktop.shortcutActivated(4711);
        QCOMPARE(f.summoned, QList<quint32> { 4711 });
        // Nothing is written until the user chooses.
        QVERIFY(!QFile::exists(f.store.filePath()));
    }

    // Another program holds the key: a notice naming it asks for another; nothing is
    // stored, and a later choice still works.
    void keyTakenByAnotherProgramIsReported()
    {
        Fixture f;
        f.desktop.grabAnswer = Grab::Taken;
        ScriptedDialog notice(f.messages);
        f.shortcut.apply();
        QVERIFY(notice.seen());
        QCOMPARE(notice.shown().kind, mtWarning);
        QVERIFY2(notice.text().contains(Default.toString(QKeySequence::NativeText)), qPrintable(notice.text()));
        QVERIFY(notice.text().contains(QStringLiteral("“快捷键…”中另选")));

        QCOMPARE(f.shortcut.change(Other), Grab::Taken);
        QVERIFY(f.store.text(Settings::Shortcut).isNull());
        QCOMPARE(f.shortcut.keys(), Default);

        f.desktop.grabAnswer = Grab::Unusable;
        QCOMPARE(f.shortcut.change(Other), Grab::Unusable);
        QVERIFY(!SummonShortcut::problem(Grab::Unusable, Other).isEmpty());
        QVERIFY(f.store.text(Settings::Shortcut).isNull());

        f.desktop.grabAnswer = Grab::Grabbed;
        QCOMPARE(f.shortcut.change(Other), Grab::Grabbed);
        QCOMPARE(f.shortcut.keys(), Other);
    }

    // A chosen key is kept for the next start; cleared, no key is grabbed at all.
    void chosenKeyIsStoredAndClearedTurnsItOff()
    {
        Fixture f;
        QCOMPARE(f.shortcut.change(Other), Grab::Grabbed);
        QCOMPARE(f.store.text(Settings::Shortcut), Other.toString(QKeySequence::PortableText));
        QCOMPARE(f.shortcut.keys(), Other);

        QCOMPARE(f.shortcut.change(QKeySequence()), Grab::Grabbed);
        QCOMPARE(f.desktop.releases, 1);
        QVERIFY(f.shortcut.keys().isEmpty());
        f.desktop.grabs.clear();
        f.shortcut.apply();
        QVERIFY(f.desktop.grabs.isEmpty());
    }

    // 确定 with a key that cannot be had keeps the dialog open with the reason; 清除 then
    // 确定 turns the key off.
    void dialogStaysOpenUntilTheKeyCanBeHad()
    {
        Fixture f;
        f.desktop.grabAnswer = Grab::Taken;
        ShortcutDialog dialog(f.shortcut.keys(),
            [&f](const QKeySequence &keys) { return SummonShortcut::problem(f.shortcut.change(keys), keys); });
        QCOMPARE(dialog.keyEdit()->keySequence(), Default);
        QVERIFY(!dialog.keyEdit()->accessibleName().isEmpty());
        dialog.keyEdit()->setKeySequence(Other);
        dialog.tryAccept();
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QVERIFY(dialog.problem().contains(QStringLiteral("已被其他程序占用")));

        dialog.findChild<QPushButton *>(QStringLiteral("shortcutClear"))->click();
        QVERIFY(dialog.keyEdit()->keySequence().isEmpty());
        dialog.tryAccept();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(f.store.text(Settings::Shortcut), QString(""));
    }
};

QTEST_MAIN(TestSummonShortcut)
#include "tst_summonshortcut.moc"
