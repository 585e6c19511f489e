#include "app/ProcessSignals.h"
#include "app/SystemCommandEvent.h"
#include "app/TForm1.h"
#include "app/Texts.h"
#include "find/UserStore.h"
#include "info/Maker.h"
#include "platform/ApplicationTitle.h"
#include "platform/InstanceLock.h"
#include "platform/NullDesktopServices.h"
#include "platform/PlainWindowPlatform.h"
#include "platform/SettingsStore.h"
#include "platform/SettingsTable.h"
#include "support/CatalogueFixture.h"
#include "support/Files.h"
#include "support/TestSupport.h"

#include <QCheckBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QProcess>
#include <QSettings>
#include <QSignalSpy>
#include <QTabWidget>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>

namespace {

// Counts system commands that got past the program's own hook.
class CommandWatcher : public QObject
{
public:
    int seen = 0;
    bool eventFilter(QObject *, QEvent *e) override
    {
        if (e->type() == SystemCommandEvent::eventType())
            ++seen;
        return false;
    }
};

struct Started
{
    ScratchDir scratch;
    SettingsStore store { scratch.path(QStringLiteral("config/zelto/settings.ini")) };
    RecordingOpener opener;
    InstanceLock lock { ApplicationTitle, scratch.path(QStringLiteral("runtime")) };
    PlainWindowPlatform windowPlatform;
    NullDesktopServices desktopServices;
    Started() { writeCollections(scratch.dir.path()); }
};

void markFirstRunDone(SettingsStore &store)
{
    store.set(Settings::HelpMarker);
    store.set(Settings::WebMarker);
}

} // namespace

class TestStartup : public QObject
{
    Q_OBJECT
private slots:
    void missingCatalogueShowsOnlyTheErrorAndEnds_data()
    {
        QTest::addColumn<QString>("inItsPlace");
        QTest::newRow("nothing") << QString();
        // Not regular files: none of them may be opened, a FIFO would block the start.
        QTest::newRow("folder") << "folder";
        QTest::newRow("fifo") << "fifo";
        QTest::newRow("device") << "device";
    }
    void missingCatalogueShowsOnlyTheErrorAndEnds()
    {
        QFETCH(QString, inItsPlace);
        Started s;
        if (inItsPlace == QLatin1String("folder"))
            QVERIFY(QDir().mkdir(QStringLiteral("zeltodata.dll")));
        else if (inItsPlace == QLatin1String("fifo"))
            QCOMPARE(::mkfifo("zeltodata.dll", 0644), 0);
        else if (inItsPlace == QLatin1String("device"))
            QVERIFY(QFile::link(QStringLiteral("/dev/zero"), QStringLiteral("zeltodata.dll")));
        TForm1 form(FormServices { s.store, s.opener, s.lock, s.windowPlatform, s.desktopServices });
        ScriptedDialog error(*form.bsSkinMessage1);
        form.FormCreate();
        QVERIFY(error.seen());
        QCOMPARE(error.shown().kind, mtError);
        QCOMPARE(error.shown().timeoutMs, 0);
        QCOMPARE(form.bsSkinMessage1->scriptedDialogs().size(), 1);
        QVERIFY(form.terminationRequested());
        QVERIFY(!QFile::exists(s.store.filePath())); // nothing read or written
        QVERIFY(s.opener.addresses.isEmpty());
    }

    void catalogueBesideTheProgramDoesNotCount()
    {
        Started s;
        QDir().mkpath(s.scratch.path(QStringLiteral("program")));
        QVERIFY(writeCatalogue(s.scratch.path(QStringLiteral("program/zeltodata.dll"))));
        TForm1 form(FormServices { s.store, s.opener, s.lock, s.windowPlatform, s.desktopServices });
        ScriptedDialog error(*form.bsSkinMessage1);
        form.FormCreate();
        QCOMPARE(error.shown().kind, mtError);
        QVERIFY(form.terminationRequested());
    }

    void firstRunShowsHelpThenOpensThePageThenTheWindow()
    {
        Started s;
        QVERIFY(writeCatalogue(QStringLiteral("zeltodata.dll")));
        TForm1 form(FormServices { s.store, s.opener, s.lock, s.windowPlatform, s.desktopServices });
        int addressesWhileShown = -1;
        bool formVisibleWhileShown = true;
        ScriptedDialog help(*form.bsSkinMessage1, mrOk, [&] {
            addressesWhileShown = int(s.opener.addresses.size());
            formVisibleWhileShown = form.isVisible();
        });
        form.FormCreate();
        QCOMPARE(help.shown().kind, mtInformation);
        QCOMPARE(help.shown().timeoutMs, 30000);
        QCOMPARE(addressesWhileShown, 0);
        QVERIFY(!formVisibleWhileShown);
        QCOMPARE(s.opener.addresses, QStringList { Maker::AdvertisingPage });
        QVERIFY(!form.terminationRequested());

        QSettings ini(s.store.filePath(), QSettings::IniFormat);
        for (const StoredSetting *setting : { &Settings::HelpMarker, &Settings::WebMarker }) {
            ini.beginGroup(QString(setting->key).replace(QLatin1Char('\\'), QLatin1Char('/')).mid(1));
            QCOMPARE(ini.childKeys().size(), 3);
            QCOMPARE(ini.value(QStringLiteral("rjname")).toString(), QStringLiteral("Zelto签名字符2008"));
            QCOMPARE(ini.value(QStringLiteral("banben")).toString(), QStringLiteral("v 4.0.3"));
            QCOMPARE(ini.value(QStringLiteral("gxriqi")).toString(), QStringLiteral("2008-02-23"));
            ini.endGroup();
        }
    }

    void eachMarkerBringsBackOnlyItsAction()
    {
        Started s;
        QVERIFY(writeCatalogue(QStringLiteral("zeltodata.dll")));
        markFirstRunDone(s.store);
        s.store.clear(Settings::WebMarker);
        {
            TForm1 form(FormServices { s.store, s.opener, s.lock, s.windowPlatform, s.desktopServices });
            ScriptedDialog help(*form.bsSkinMessage1);
            form.FormCreate();
            QVERIFY(!help.seen());
            QCOMPARE(s.opener.addresses, QStringList { Maker::AdvertisingPage });
        }
        s.opener.addresses.clear();
        s.store.clear(Settings::HelpMarker);
        InstanceLock lock2(ApplicationTitle, s.scratch.path(QStringLiteral("runtime2")));
        TForm1 form(FormServices { s.store, s.opener, lock2, s.windowPlatform, s.desktopServices });
        ScriptedDialog help(*form.bsSkinMessage1);
        form.FormCreate();
        QVERIFY(help.seen());
        QVERIFY(s.opener.addresses.isEmpty());
    }

    void waylandWithoutPortalTellsOnceHowToBindAKey()
    {
        Started s;
        QVERIFY(writeCatalogue(QStringLiteral("zeltodata.dll")));
        markFirstRunDone(s.store);
        NullDesktopServices wayland(DesktopServices::Session::Wayland);
        {
            TForm1 form(FormServices { s.store, s.opener, s.lock, s.windowPlatform, wayland });
            ScriptedDialog hint(*form.bsSkinMessage1);
            form.FormCreate();
            QCOMPARE(hint.text(), Texts::WaylandShortcutHint);
            QCOMPARE(hint.shown().timeoutMs, 30000);
            QVERIFY(!form.terminationRequested());
        }
        InstanceLock lock2(ApplicationTitle, s.scratch.path(QStringLiteral("runtime2")));
        TForm1 form(FormServices { s.store, s.opener, lock2, s.windowPlatform, wayland });
        ScriptedDialog hint(*form.bsSkinMessage1);
        form.FormCreate();
        QVERIFY(!hint.seen());
    }

    void secondCopyShowsItsNoticeAndEnds()
    {
        Started s;
        QVERIFY(writeCatalogue(QStringLiteral("zeltodata.dll")));
        markFirstRunDone(s.store);
        // The first copy is another process holding the lock.
        QProcess first;
        first.start(QCoreApplication::applicationFilePath(),
            { QStringLiteral("-hold"), s.scratch.path(QStringLiteral("runtime")) });
        QVERIFY(first.waitForReadyRead(ProcessWaitMs));

        TForm1 form(FormServices { s.store, s.opener, s.lock, s.windowPlatform, s.desktopServices });
        ScriptedDialog notice(*form.bsSkinMessage1);
        form.FormCreate();
        QVERIFY(notice.seen());
        QCOMPARE(notice.shown().kind, mtInformation);
        QCOMPARE(notice.shown().timeoutMs, 0);
        QVERIFY(form.terminationRequested());
        QCOMPARE(first.state(), QProcess::Running); // untouched
        first.kill();
        first.waitForFinished();
    }

    void taskbarCommandsShowTheirNoticesAndStopThere()
    {
        Started s;
        QVERIFY(writeCatalogue(QStringLiteral("zeltodata.dll")));
        markFirstRunDone(s.store);
        CommandWatcher watcher;
        qApp->installEventFilter(&watcher);
        TForm1 form(FormServices { s.store, s.opener, s.lock, s.windowPlatform, s.desktopServices });
        form.FormCreate();

        const QList<QAction *> items = form.systemMenu()->actions();
        auto *help = form.findChild<QAction *>(QStringLiteral("N35"));
        QCOMPARE(help->text(), QStringLiteral("帮       助")); // F1 is its shortcut, not part of it
        QCOMPARE(help->shortcut(), QKeySequence(Qt::Key_F1));
        QCOMPARE(items.at(items.size() - 2)->text(), QStringLiteral("帮 助 F1"));
        QCOMPARE(items.last()->text(), QStringLiteral("关 于"));
        QVERIFY(items.at(items.size() - 3)->isSeparator());

        for (const auto &[command, timeoutMs] : { std::pair { SystemCommandEvent::HelpCommand, 30000 },
                 std::pair { SystemCommandEvent::AboutCommand, 10000 } }) {
            ScriptedDialog notice(*form.bsSkinMessage1);
            QCoreApplication::postEvent(qApp, new SystemCommandEvent(quintptr(command)));
            QTRY_VERIFY(notice.seen());
            QCOMPARE(notice.shown().kind, mtInformation);
            QCOMPARE(notice.shown().timeoutMs, timeoutMs);
        }
        QCOMPARE(watcher.seen, 0);
        QCoreApplication::postEvent(qApp, new SystemCommandEvent(1027));
        QTRY_COMPARE(watcher.seen, 1);
        qApp->removeEventFilter(&watcher);
    }

    // Past the file size limit (ulimit -f) a save fails with the usual notice; the signal
    // the system sends does not end the program, nor stays ignored in programs it starts.
    void writePastTheFileSizeLimitIsReported()
    {
        ProcessSignals::install();
        ScratchDir scratch;
        UserStore store(scratch.path(QStringLiteral("lists")));
        store.load();
        store.addOwn(QStringLiteral("旧"));
        QSignalSpy notices(&store, &UserStore::notice);
        struct rlimit old
        {
        };
        QCOMPARE(::getrlimit(RLIMIT_FSIZE, &old), 0);
        struct rlimit low = old;
        low.rlim_cur = 1024;
        QCOMPARE(::setrlimit(RLIMIT_FSIZE, &low), 0);
        store.addOwn(QString(4096, u'长'));
        QCOMPARE(::setrlimit(RLIMIT_FSIZE, &old), 0);
        QCOMPARE(notices.size(), 1);
        QVERIFY(notices[0][0].toString().startsWith(QStringLiteral("无法在")));
        QCOMPARE(store.entries(UserStore::Mine).size(), 2);
        QCOMPARE(readFile(store.path(UserStore::Mine)), QByteArray("\xE6\x97\xA7\n%\n"));

        QProcess child;
        child.start(QStringLiteral("grep"), { QStringLiteral("^SigIgn:"), QStringLiteral("/proc/self/status") });
        QVERIFY(child.waitForFinished());
        const quint64 ignored = child.readAllStandardOutput().mid(7).trimmed().toULongLong(nullptr, 16);
        QCOMPARE(ignored & (quint64(1) << (SIGXFSZ - 1)), quint64(0));
    }

    void fixedLayout()
    {
        Started s;
        TForm1 form(FormServices { s.store, s.opener, s.lock, s.windowPlatform, s.desktopServices });
        QCOMPARE(form.client()->size(), QSize(685, 492));
        QCOMPARE(form.pos(), QPoint(187, 121));
        QCOMPARE(form.minimumSize(), form.maximumSize());
        QCOMPARE(form.windowTitle(), QStringLiteral("Zelto签名字符2008 V4.0.3"));
        QCOMPARE(form.bsSkinMainMenuBar1->geometry(), QRect(0, 0, 685, 22));
        QCOMPARE(form.bsSkinCheckRadioBox1->geometry(), QRect(606, 3, 77, 17));
        QCOMPARE(form.bsSkinCheckRadioBox1->text(), QStringLiteral("窗口置顶"));
        QVERIFY(!form.bsSkinCheckRadioBox1->isChecked());
        QCOMPARE(form.bsSkinPageControl1->geometry(), QRect(0, 22, 689, 449));
        QCOMPARE(form.bsSkinPageControl1->currentWidget()->objectName(), QStringLiteral("bsSkinTabSheet1"));
        QCOMPARE(form.bsSkinStatusBar1->geometry(), QRect(0, 471, 685, 21));
        QCOMPARE(form.bsSkinStatusPanel1->x(), 0);
        QCOMPARE(form.bsSkinStatusPanel1->width(), 628);
        QCOMPARE(form.bsSkinStatusPanel1->text(), QStringLiteral("Zelto设计室  ") + Maker::SiteAddress);
        QCOMPARE(form.bsSkinStatusPanel2->x(), 628);
        QCOMPARE(form.bsSkinStatusPanel2->width(), 56);
        QCOMPARE(form.bsSkinStatusPanel2->text(), QStringLiteral("显示时间"));
        QVERIFY(form.Timer1->isActive() && form.Timer2->isActive());
        form.Timer2Timer();
        QVERIFY(form.bsSkinStatusPanel2->text() != QStringLiteral("显示时间"));

        QStringList top;
        for (QAction *a : form.bsSkinMainMenuBar1->actions())
            top << a->text();
        QCOMPARE(top,
            (QStringList { QStringLiteral("主  页"), QStringLiteral("设  置"), QStringLiteral("帮  助"),
                QStringLiteral("链  接"), QStringLiteral("升  级"), QStringLiteral("捐  助"), QStringLiteral("信  息"),
                QStringLiteral("My Qzone"), QStringLiteral("查  找"), QStringLiteral("花  样") }));
        auto captions = [&form](const char *menu) {
            QStringList out;
            for (QAction *a : form.findChild<QMenu *>(QLatin1String(menu))->actions())
                out << (a->isSeparator() ? QStringLiteral("-") : a->text());
            return out;
        };
        QCOMPARE(captions("N40Menu"),
            (QStringList { QStringLiteral("显示退出确定"), QStringLiteral("显示退出确定"), QStringLiteral("-"),
                QStringLiteral("半透明"), QStringLiteral("半透明"), QStringLiteral("-"), QStringLiteral("吸附窗体"),
                QStringLiteral("吸附窗体"), QStringLiteral("-"), QStringLiteral("安静复制"), QStringLiteral("安静复制"),
                QStringLiteral("-"), QStringLiteral("快捷键…") }));
        QCOMPARE(captions("N39Menu"),
            (QStringList { QStringLiteral("帮  助"), QStringLiteral("关  于"), QStringLiteral("-"),
                QStringLiteral("广告招租说明") }));
        QCOMPARE(captions("N6Menu"),
            (QStringList { QStringLiteral("华军软件园"), QStringLiteral("天空下载站"), QStringLiteral("多特软件站"),
                QStringLiteral(" 起点下载") }));
        QCOMPARE(captions("N41Menu"),
            (QStringList { QStringLiteral("升  级"), QStringLiteral("本地升级"), QStringLiteral("-"),
                QStringLiteral("数据信息") }));
        QCOMPARE(captions("N65Menu"), (QStringList { QStringLiteral("E-mail"), QStringLiteral("在线QQ") }));
    }
};

int main(int argc, char **argv)
{
    if (argc == 3 && QByteArray(argv[1]) == "-hold") {
        QCoreApplication app(argc, argv);
        InstanceLock lock(ApplicationTitle, QString::fromLocal8Bit(argv[2]));
        if (lock.alreadyExists())
            return 1;
        fputs("locked\n", stdout);
        fflush(stdout);
        return app.exec();
    }
    QApplication app(argc, argv);
    TestStartup t;
    return QTest::qExec(&t, argc, argv);
}
#include "tst_startup.moc"
