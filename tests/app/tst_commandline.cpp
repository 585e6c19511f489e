#include "app/CommandLine.h"
#include "support/ToolSupport.h"

#include <QDirIterator>
#include <QTest>

namespace {

CommandLine::Result parse(const QStringList &args)
{
    return CommandLine::parse(QStringList { QStringLiteral("zelto") } + args);
}

QStringList filesUnder(const QString &folder)
{
    QStringList files;
    QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext())
        files.append(it.next());
    return files;
}

} // namespace

class TestCommandLine : public QObject
{
    Q_OBJECT
private slots:
    void helpAndVersionPrintAndSucceed()
    {
        for (const QString &arg : { QStringLiteral("--help"), QStringLiteral("-h") }) {
            const auto r = parse({ arg });
            QCOMPARE(r.action, CommandLine::Action::Print);
            QCOMPARE(r.exitCode, 0);
            QVERIFY(r.text.startsWith(CommandLine::usage()));
        }
        for (const QString &arg : { QStringLiteral("--version"), QStringLiteral("-v") }) {
            const auto r = parse({ arg });
            QCOMPARE(r.action, CommandLine::Action::Print);
            QVERIFY(r.text.contains(QStringLiteral("4.0.3")));
            QVERIFY(r.text.contains(QStringLiteral("GPLv3+")));
        }
    }

    void faultsGiveOneLineAndUsage_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("firstLine");
        QTest::newRow("long") << QStringList { QStringLiteral("--frobnicate") }
                              << QStringLiteral("zelto：未知选项“--frobnicate”");
        QTest::newRow("short") << QStringList { QStringLiteral("-x") } << QStringLiteral("zelto：未知选项“-x”");
        QTest::newRow("word after one dash")
            << QStringList { QStringLiteral("-bogus") } << QStringLiteral("zelto：未知选项“-bogus”");
        QTest::newRow("after a good one") << QStringList { QStringLiteral("-style"), QStringLiteral("fusion"),
            QStringLiteral("--nope") } << QStringLiteral("zelto：未知选项“--nope”");
        QTest::newRow("positional") << QStringList { QStringLiteral("file.txt") }
                                    << QStringLiteral("zelto：多余的参数“file.txt”");
        QTest::newRow("after --version") << QStringList { QStringLiteral("--version"), QStringLiteral("extra") }
                                         << QStringLiteral("zelto：多余的参数“extra”");
        QTest::newRow("value to a flag") << QStringList { QStringLiteral("--help=foo") }
                                         << QStringLiteral("zelto：选项“--help”不接受参数“foo”");
        QTest::newRow("value missing") << QStringList { QStringLiteral("-platform") }
                                       << QStringLiteral("zelto：选项“-platform”缺少参数");
    }
    void faultsGiveOneLineAndUsage()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, firstLine);
        const auto r = parse(args);
        QCOMPARE(r.action, CommandLine::Action::Fail);
        QCOMPARE(r.exitCode, 2);
        const QStringList lines = r.text.split(QLatin1Char('\n'));
        QCOMPARE(lines.value(0), firstLine);
        QCOMPARE(lines.value(1) + QLatin1Char('\n'), CommandLine::usage());
    }

    void findTakesAnOptionalText()
    {
        QCOMPARE(parse({}).findText, std::nullopt);
        QCOMPARE(parse({ QStringLiteral("--find") }).findText, QString());
        QCOMPARE(parse({ QStringLiteral("--find"), QStringLiteral("kx") }).findText, QStringLiteral("kx"));
        QCOMPARE(parse({ QStringLiteral("--find=-x") }).findText, QStringLiteral("-x"));
        // An option after it is an option, not the text.
        const auto r = parse({ QStringLiteral("--find"), QStringLiteral("-style"), QStringLiteral("fusion") });
        QCOMPARE(r.findText, QString());
        QCOMPARE(r.toolkitArguments.size(), 3);
        const auto tooLong
            = parse({ QStringLiteral("--find"), QString(CommandLine::MaxFindText + 1, QLatin1Char('a')) });
        QCOMPARE(tooLong.action, CommandLine::Action::Fail);
        QVERIFY(tooLong.text.startsWith(QStringLiteral("zelto：选项“--find”的文字太长（最多 1000 个字符）\n")));
        QCOMPARE(parse({ QStringLiteral("--find"), QString(CommandLine::MaxFindText, QLatin1Char('a')) }).action,
            CommandLine::Action::Run);
    }

    // The toolkit's own options reach the application object; nothing else does.
    void toolkitOptionsPassThrough()
    {
        const auto r = CommandLine::parse({ QStringLiteral("/usr/lib/zelto/zelto"), QStringLiteral("-platform"),
            QStringLiteral("xcb"), QStringLiteral("--style=fusion"), QStringLiteral("-reverse") });
        QCOMPARE(r.action, CommandLine::Action::Run);
        QCOMPARE(r.toolkitArguments,
            (QStringList { QStringLiteral("/usr/lib/zelto/zelto"), QStringLiteral("-platform"), QStringLiteral("xcb"),
                QStringLiteral("-style"), QStringLiteral("fusion"), QStringLiteral("-reverse") }));
        QCOMPARE(parse({}).toolkitArguments, QStringList { QStringLiteral("zelto") });
    }

    // The real program, where no display could be opened: it must answer and leave nothing behind.
    void programAnswersWithoutDisplayAndTouchesNothing()
    {
        QTemporaryDir home;
        QVERIFY(home.isValid());
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove(QStringLiteral("DISPLAY"));
        env.remove(QStringLiteral("WAYLAND_DISPLAY"));
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        env.insert(QStringLiteral("HOME"), home.path());
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), home.path() + QStringLiteral("/config"));
        env.insert(QStringLiteral("XDG_DATA_HOME"), home.path() + QStringLiteral("/data"));
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), home.path() + QStringLiteral("/runtime"));
        const QString program = QStringLiteral(ZELTO_EXECUTABLE);

        ToolRun run = runTool(program, { QStringLiteral("--help") }, env);
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.output, CommandLine::helpText());
        QCOMPARE(run.errors, QString());

        run = runTool(program, { QStringLiteral("--version") }, env);
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.output, CommandLine::versionText());

        run = runTool(program, { QStringLiteral("--bogus") }, env);
        QCOMPARE(run.exitCode, 2);
        QCOMPARE(run.output, QString());
        QVERIFY2(run.errors.startsWith(QStringLiteral("zelto：未知选项“--bogus”\n") + CommandLine::usage()),
            qPrintable(run.errors));

        QCOMPARE(filesUnder(home.path()), QStringList());
    }

    // Qt itself would abort with a core dump and advice to reinstall.
    void programWithoutDisplaySaysSoAndEnds_data()
    {
        QTest::addColumn<QString>("platformVariable");
        QTest::addColumn<QString>("display");
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("error");
        QTest::newRow("nothing set") << QString() << QString() << QStringList()
                                     << QStringLiteral("没有图形显示（DISPLAY 和 WAYLAND_DISPLAY 都未设置）");
        QTest::newRow("X11 asked for") << QStringLiteral("xcb") << QString() << QStringList()
                                       << QStringLiteral("没有 X 显示（DISPLAY 未设置）");
        QTest::newRow("no X server there")
            << QString() << QStringLiteral(":4711") << QStringList() << QStringLiteral("连接不上 X 显示“:4711”");
        QTest::newRow("-platform over the variable")
            << QStringLiteral("offscreen") << QString()
            << QStringList { QStringLiteral("-platform"), QStringLiteral("wayland") }
            << QStringLiteral("没有 Wayland 显示（WAYLAND_DISPLAY 未设置）");
    }
    void programWithoutDisplaySaysSoAndEnds()
    {
        QFETCH(QString, platformVariable);
        QFETCH(QString, display);
        QFETCH(QStringList, args);
        QFETCH(QString, error);
        QTemporaryDir home;
        QVERIFY(home.isValid());
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char *name :
            { "DISPLAY", "WAYLAND_DISPLAY", "WAYLAND_SOCKET", "XDG_SESSION_TYPE", "QT_QPA_PLATFORM" })
            env.remove(QString::fromLatin1(name));
        if (!platformVariable.isEmpty())
            env.insert(QStringLiteral("QT_QPA_PLATFORM"), platformVariable);
        if (!display.isEmpty())
            env.insert(QStringLiteral("DISPLAY"), display);
        env.insert(QStringLiteral("HOME"), home.path());
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), home.path() + QStringLiteral("/config"));
        env.insert(QStringLiteral("XDG_DATA_HOME"), home.path() + QStringLiteral("/data"));
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), home.path() + QStringLiteral("/runtime"));

        const ToolRun run = runTool(QStringLiteral(ZELTO_EXECUTABLE), args, env);
        QCOMPARE(run.errors, QStringLiteral("zelto：无法打开窗口：") + error + QLatin1Char('\n'));
        QCOMPARE(run.exitCode, 1);
        QCOMPARE(run.output, QString());
        QCOMPARE(filesUnder(home.path()), QStringList());
    }
};

QTEST_GUILESS_MAIN(TestCommandLine)
#include "tst_commandline.moc"
