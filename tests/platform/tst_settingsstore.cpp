#include "platform/AppError.h"
#include "platform/SettingsStore.h"
#include "platform/SettingsTable.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

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
                                 "zelsigtcts\\tuichutishi=tishi\n"
                                 "zelsigtm\\tm=tm\n"
                                 "zelsigxfct\\xfct=xfct\n"
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
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(today);
        f.close();
        SettingsStore store(path);
        for (const StoredSetting *setting : Settings::All) {
            QVERIFY2(store.isSet(*setting), qPrintable(setting->key));
            store.clear(*setting);
            QVERIFY(!store.isSet(*setting));
        }
        for (const StoredSetting *setting : Settings::All)
            store.set(*setting);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), today);
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
        QVERIFY(!store.isPresent(QStringLiteral("\\Software\\zelsigtm")));
        QVERIFY_THROWS_EXCEPTION(AppError, store.deleteKey(QStringLiteral("\\Software\\zelsigtm")));
    }
};

QTEST_GUILESS_MAIN(TestSettingsStore)
#include "tst_settingsstore.moc"
