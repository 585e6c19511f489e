#include "platform/AppError.h"
#include "platform/SettingsStore.h"
#include "platform/SettingsTable.h"
#include "support/Files.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>
#include <functional>
#include <unistd.h>

class TestSettingsStore : public QObject
{
    Q_OBJECT
private slots:
    void presenceFollowsWritesAndDeletes()
    {
        QTemporaryDir dir;
        SettingsStore store(dir.path() + QStringLiteral("/zelto/settings.ini"));
        const QString key = QStringLiteral("\\Software\\zelsigtm");
        QVERIFY(!store.isPresent(key));
        store.deleteKey(key); // deleting an absent key is fine
        QVERIFY(!store.isPresent(key));
        store.writeString(key, QStringLiteral("tm"), QStringLiteral("tm"));
        QVERIFY(store.isPresent(key));
        QVERIFY(!store.isPresent(QStringLiteral("\\Software\\zelsigtcts")));
        store.deleteKey(key);
        QVERIFY(!store.isPresent(key));
    }

    void otherWritersAreSeenAtOnce()
    {
        QTemporaryDir dir;
        const QString path = dir.path() + QStringLiteral("/settings.ini");
        SettingsStore a(path);
        SettingsStore b(path);
        a.writeString(QStringLiteral("\\Software\\zelsigxfct"), QStringLiteral("xfct"), QStringLiteral("xfct"));
        QVERIFY(b.isPresent(QStringLiteral("\\Software\\zelsigxfct")));
        b.deleteKey(QStringLiteral("\\Software\\zelsigxfct"));
        QVERIFY(!a.isPresent(QStringLiteral("\\Software\\zelsigxfct")));
    }

    // The stored format is what users' files hold: a settings file written by the program
    // as it was when this test was written must keep working, and setting everything
    // must write exactly that file.
    void settingsFileOfTodayKeepsWorking()
    {
        const QByteArray today = "[Software]\n"
                                 "zelsigajfz\\ajfz=ajfz\n"
                                 "zelsigfs1\\fs=1\n"
                                 "zelsigfs2\\fs=2\n"
                                 "zelsigfs3\\fs=3\n"
                                 "zelsigfs4\\fs=4\n"
                                 "zelsigfs5\\fs=5\n"
                                 "zelsigtcts\\tuichutishi=tishi\n"
                                 "zelsigtm\\tm=tm\n"
                                 "zelsigxfct\\xfct=xfct\n"
                                 "zeltokjts\\banben=v 4.0.3\n"
                                 "zeltokjts\\gxriqi=2008-02-23\n"
                                 "zeltokjts\\rjname=Zelto签名字符2008\n"
                                 "zeltoqzone\\banben=v 4.0.3\n"
                                 "zeltoqzone\\gxriqi=2008-02-23\n"
                                 "zeltoqzone\\rjname=Zelto签名字符2008\n"
                                 "zeltorjqm\\banben=v 4.0.3\n"
                                 "zeltorjqm\\gxriqi=2008-02-23\n"
                                 "zeltorjqm\\rjname=Zelto签名字符2008\n"
                                 "zeltowllj\\banben=v 4.0.3\n"
                                 "zeltowllj\\gxriqi=2008-02-23\n"
                                 "zeltowllj\\rjname=Zelto签名字符2008\n";
        QTemporaryDir dir;
        const QString path = dir.path() + QStringLiteral("/settings.ini");
        QVERIFY(writeFile(path, today));
        SettingsStore store(path);
        for (const StoredSetting *setting : Settings::All) {
            QVERIFY2(store.isSet(*setting), qPrintable(setting->key));
            store.clear(*setting);
            QVERIFY(!store.isSet(*setting));
        }
        for (const StoredSetting *setting : Settings::All)
            store.set(*setting);
        QCOMPARE(readFile(path), today);
    }

    // A text setting: absent reads as null, an empty value as empty (the user's "none"),
    // a list written by hand without quotes as the text it was.
    void textSettingsKeepEmptyApartFromAbsent()
    {
        QTemporaryDir dir;
        const QString path = dir.path() + QStringLiteral("/settings.ini");
        SettingsStore store(path);
        QVERIFY(store.text(Settings::Shortcut).isNull());
        store.setText(Settings::Shortcut, QString());
        QVERIFY(!store.text(Settings::Shortcut).isNull());
        QVERIFY(store.text(Settings::Shortcut).isEmpty());
        store.setText(Settings::CtrlVClasses, QStringLiteral("Firefox, Kate"));
        QCOMPARE(store.text(Settings::CtrlVClasses), QStringLiteral("Firefox, Kate"));
        QVERIFY(writeFile(path, "[Software]\nzelsigztlb\\ztlb=Firefox,Kate\n"));
        QCOMPARE(store.text(Settings::CtrlVClasses), QStringLiteral("Firefox,Kate"));
    }

    void storeThatIsALinkStaysOne()
    {
        QTemporaryDir dir;
        const QString real = dir.path() + QStringLiteral("/real.ini");
        const QString link = dir.path() + QStringLiteral("/settings.ini");
        QVERIFY(QFile(real).open(QIODevice::WriteOnly));
        QVERIFY(QFile::link(real, link));
        SettingsStore store(link);
        store.writeString(QStringLiteral("\\Software\\zelsigtm"), QStringLiteral("tm"), QStringLiteral("tm"));
        QVERIFY(QFileInfo(link).isSymLink());
        QVERIFY(contents(real).contains("[Software]"));
    }

    void readOnlyLocationFailsLoudlyAndReadsAbsent()
    {
        if (geteuid() == 0)
            QSKIP("root writes through read-only permissions");
        QTemporaryDir dir;
        QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::ExeOwner);
        SettingsStore store(dir.path() + QStringLiteral("/settings.ini"));
        QVERIFY_THROWS_EXCEPTION(AppError,
            store.writeString(QStringLiteral("\\Software\\zelsigtm"), QStringLiteral("tm"), QStringLiteral("tm")));
        QVERIFY(!store.isPresent(QStringLiteral("\\Software\\zelsigtm")));
        QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    void unwritableFileFailsLoudly()
    {
        // Works for root too: the store's path is a folder, so the file cannot be written.
        QTemporaryDir dir;
        const QString path = dir.path() + QStringLiteral("/settings.ini");
        QVERIFY(QDir().mkpath(path));
        SettingsStore store(path);
        try {
            store.writeString(QStringLiteral("\\Software\\zelsigtm"), QStringLiteral("tm"), QStringLiteral("tm"));
            QFAIL("no error");
        } catch (const AppError &e) {
            QVERIFY(e.message().contains(QStringLiteral("tm")));
        }
        // Something in the file's place is a read error, not an absent key.
        QVERIFY_THROWS_EXCEPTION(AppError, store.isPresent(QStringLiteral("\\Software\\zelsigtm")));
        QVERIFY_THROWS_EXCEPTION(AppError, store.deleteKey(QStringLiteral("\\Software\\zelsigtm")));
    }

    // A failed write must not change what later reads see. The store is used by another
    // process, run as an ordinary user when the tests run as root.
    void failedWritesLeaveReadsTrue()
    {
        QTemporaryDir dir;
        const QString folder = dir.path() + QStringLiteral("/zelto");
        SettingsStore store(folder + QStringLiteral("/settings.ini"));
        store.writeString(
            QStringLiteral("\\Software\\zelsigtcts"), QStringLiteral("tuichutishi"), QStringLiteral("tishi"));
        const QByteArray before = contents(store.filePath());
        QVERIFY(QFile::setPermissions(
            dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadOther | QFile::ExeOther));
        QVERIFY(QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner | QFile::ReadOther | QFile::ExeOther));

        QProcess user;
        if (::geteuid() == 0) {
            user.setChildProcessModifier([] {
                if (::setgid(65534) != 0 || ::setuid(65534) != 0)
                    ::_exit(3);
            });
        }
        user.start(QCoreApplication::applicationFilePath(), { QStringLiteral("-readonly"), store.filePath() });
        QVERIFY(user.waitForFinished(20000));
        QCOMPARE(QString::fromUtf8(user.readAllStandardOutput()),
            QStringLiteral("yes | refused no yes | refused yes | yes no\n"));
        QCOMPARE(contents(store.filePath()), before);
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    // Qt reports a format error only to the first reader of a file; the answer must not
    // change with it, and the file is not rewritten without its unparsed lines.
    void malformedFileAnswersAlikeAndIsKept()
    {
        QTemporaryDir dir;
        const QString path = dir.path() + QStringLiteral("/settings.ini");
        const QByteArray text("[Software]\nzelsigtcts\\tuichutishi=tishi\n[broken\n");
        QVERIFY(writeFile(path, text));
        SettingsStore store(path);
        for (int read = 0; read < 3; ++read)
            QVERIFY(store.isPresent(QStringLiteral("\\Software\\zelsigtcts")));
        QVERIFY_THROWS_EXCEPTION(AppError,
            store.writeString(QStringLiteral("\\Software\\zelsigtm"), QStringLiteral("tm"), QStringLiteral("tm")));
        QVERIFY_THROWS_EXCEPTION(AppError, store.deleteKey(QStringLiteral("\\Software\\zelsigtcts")));
        QCOMPARE(contents(path), text);
        QCOMPARE(
            QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList { QStringLiteral("settings.ini") });
    }

private:
    static QByteArray contents(const QString &path)
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
};

// "-readonly <file>": reads, writes and reads again a store it may not write, printing
// what each step gave.
static int readOnlyStoreSession(const QString &path)
{
    const QString exit = QStringLiteral("\\Software\\zelsigtcts");
    const QString opaque = QStringLiteral("\\Software\\zelsigtm");
    SettingsStore store(path);
    const auto present = [](const SettingsStore &s, const QString &key) {
        try {
            return s.isPresent(key) ? QStringLiteral("yes") : QStringLiteral("no");
        } catch (const AppError &) {
            return QStringLiteral("error");
        }
    };
    const auto attempt = [](const std::function<void()> &f) {
        try {
            f();
            return QStringLiteral("written");
        } catch (const AppError &) {
            return QStringLiteral("refused");
        }
    };
    QStringList out;
    out << present(store, exit) << QStringLiteral("|");
    out << attempt([&] { store.writeString(opaque, QStringLiteral("tm"), QStringLiteral("tm")); });
    out << present(store, opaque) << present(store, exit) << QStringLiteral("|");
    out << attempt([&] { store.deleteKey(exit); }) << present(store, exit) << QStringLiteral("|");
    const SettingsStore again(path);
    out << present(again, exit) << present(again, opaque);
    std::printf("%s\n", qPrintable(out.join(QLatin1Char(' '))));
    return 0;
}

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc == 3 && QByteArray(argv[1]) == "-readonly")
        return readOnlyStoreSession(QString::fromLocal8Bit(argv[2]));
    TestSettingsStore t;
    return QTest::qExec(&t, argc, argv);
}
#include "tst_settingsstore.moc"
