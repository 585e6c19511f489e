// The user's favourites, recent copies and own entries on disk.

#include "find/FortuneFormat.h"
#include "find/UserStore.h"
#include "support/Files.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

namespace {

} // namespace

class TestUserStore : public QObject
{
    Q_OBJECT

private slots:
    // Pictures over several lines and lines of percent signs come back as they were.
    void roundTrip()
    {
        const QStringList entries = {
            QStringLiteral("  /\\_/\\\n ( o.o )\n  > ^ <"),
            QStringLiteral("%"),
            QStringLiteral("100%\n%\n%%\n"),
            QStringLiteral("一行"),
        };
        const QByteArray bytes = FortuneFormat::write(entries);
        QCOMPARE(bytes,
            QByteArray("  /\\_/\\\n ( o.o )\n  > ^ <\n%\n%%\n%\n100%\n%%\n%%%\n\n%\n\xE4\xB8\x80\xE8\xA1\x8C\n%\n"));
        QCOMPARE(FortuneFormat::read(bytes), entries);
        // Written by hand: CR LF, no "%" after the last entry, empty entries.
        QCOMPARE(FortuneFormat::read("a\r\n%\r\n%\r\nb\r\nc"), (QStringList { "a", "b\nc" }));
        QCOMPARE(FortuneFormat::read(""), QStringList {});
        QVERIFY(!FortuneFormat::read("ab\xFF\n%\n"));
        QCOMPARE(FortuneFormat::read(QByteArray("a\0b\n%\n\0\n%\n", 10)), QStringList { "ab" });

        QTemporaryDir dir;
        {
            UserStore store(dir.filePath(QStringLiteral("zelto")));
            store.load();
            for (const QString &e : entries)
                store.addOwn(e);
            store.setFavourite(entries[0], true);
        }
        UserStore again(dir.filePath(QStringLiteral("zelto")));
        again.load();
        QCOMPARE(again.entries(UserStore::Mine), (QStringList { entries[0], entries[1], "100%\n%\n%%", entries[3] }));
        QVERIFY(again.isFavourite(entries[0]));
    }

    // A zero character never reaches the files, and a file holding one (older versions
    // wrote them) still loads without it.
    void zeroCharactersAreDropped()
    {
        QTemporaryDir dir;
        const QString nul(QChar(0));
        {
            UserStore store(dir.path());
            store.load();
            store.addOwn(QStringLiteral("ab") + nul + QStringLiteral("cd"));
            store.setFavourite(nul + QStringLiteral("星"), true);
            store.recordCopy(QStringLiteral("复") + nul);
            store.recordCopy(nul);
            store.replaceOwn(QStringLiteral("abcd"), QStringLiteral("ef") + nul);
            QCOMPARE(store.entries(UserStore::Mine), QStringList { "ef" });
        }
        for (int i = 0; i < UserStore::ListCount; ++i)
            QVERIFY(!readFile(dir.filePath(UserStore::fileName(UserStore::List(i)))).contains('\0'));
        QVERIFY(writeFile(dir.filePath(QStringLiteral("mine.txt")), QByteArray("ab\0cd\n%\n", 8)));
        UserStore again(dir.path());
        QSignalSpy notices(&again, &UserStore::notice);
        again.load();
        QCOMPARE(notices.size(), 0);
        QCOMPARE(again.entries(UserStore::Mine), QStringList { "abcd" });
        QCOMPARE(again.entries(UserStore::Favourites), QStringList { "星" });
        QCOMPARE(again.entries(UserStore::Recent), QStringList { "复" });
    }

    void recentKeepsTheNewestHundredOnce()
    {
        QTemporaryDir dir;
        UserStore store(dir.path());
        store.load();
        for (int i = 0; i < 120; ++i)
            store.recordCopy(QString::number(i));
        store.recordCopy(QStringLiteral("50"));
        store.recordCopy(QStringLiteral("50"));
        const QStringList &recent = store.entries(UserStore::Recent);
        QCOMPARE(recent.size(), UserStore::RecentCapacity);
        QCOMPARE(recent.mid(0, 3), (QStringList { "50", "119", "118" }));
        QCOMPARE(recent.count(QStringLiteral("50")), 1);
        QCOMPARE(recent.back(), QStringLiteral("20"));
        UserStore again(dir.path());
        again.load();
        QCOMPARE(again.entries(UserStore::Recent), recent);
    }

    // A file that cannot be read or understood is reported and never written over; the
    // session goes on in memory.
    void unreadableAndMalformedFilesAreKept()
    {
        QTemporaryDir dir;
        const QByteArray broken("(^o^)\n%\n\xC3\x28\n%\n");
        QVERIFY(writeFile(dir.filePath(QStringLiteral("favourites.txt")), broken));
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("mine.txt")));
        QVERIFY(writeFile(dir.filePath(QStringLiteral("recent.txt")), "a\n%\n"));

        UserStore store(dir.path());
        QSignalSpy notices(&store, &UserStore::notice);
        store.load();
        QCOMPARE(notices.size(), 2);
        QVERIFY(notices[0][0].toString().contains(QStringLiteral("favourites.txt")));
        QVERIFY(notices[0][0].toString().contains(QStringLiteral("不是能读懂的 UTF-8 文本")));
        QVERIFY(notices[1][0].toString().contains(QStringLiteral("无法读取")));
        QCOMPARE(store.entries(UserStore::Recent), QStringList { "a" });

        store.setFavourite(QStringLiteral("★"), true);
        store.addOwn(QStringLiteral("我的"));
        QVERIFY(store.isFavourite(QStringLiteral("★")));
        QCOMPARE(store.entries(UserStore::Mine), QStringList { "我的" });
        QCOMPARE(readFile(dir.filePath(QStringLiteral("favourites.txt"))), broken);
        QVERIFY(QFileInfo(dir.filePath(QStringLiteral("mine.txt"))).isDir());
        QCOMPARE(notices.size(), 2);
    }

    // Two copies on one folder: each writes its changes (additions and removals) into what
    // the other wrote meanwhile, and follows what the other writes.
    void twoCopiesKeepEachOthersChanges()
    {
        QTemporaryDir dir;
        {
            UserStore seed(dir.path());
            seed.load();
            seed.setFavourite(QStringLiteral("旧"), true);
            seed.addOwn(QStringLiteral("甲"));
        }
        UserStore one(dir.path());
        UserStore two(dir.path());
        one.load();
        two.load();
        QSignalSpy changedInOne(&one, &UserStore::changed);

        // No events run in between: neither has seen the other's writes.
        one.setFavourite(QStringLiteral("一"), true);
        one.setFavourite(QStringLiteral("旧"), false);
        two.setFavourite(QStringLiteral("二"), true);
        two.addOwn(QStringLiteral("乙"));
        one.addOwn(QStringLiteral("丙"));
        one.remove(UserStore::Mine, QStringLiteral("甲"));
        // Edited here after the other removed it: the edit is kept.
        QVERIFY(two.replaceOwn(QStringLiteral("甲"), QStringLiteral("甲改")));
        one.recordCopy(QStringLiteral("a"));
        two.recordCopy(QStringLiteral("b"));

        UserStore fresh(dir.path());
        fresh.load();
        QCOMPARE(fresh.entries(UserStore::Favourites), (QStringList { "二", "一" }));
        QCOMPARE(fresh.entries(UserStore::Mine), (QStringList { "乙", "丙", "甲改" }));
        QCOMPARE(fresh.entries(UserStore::Recent), (QStringList { "b", "a" }));
        QCOMPARE(two.entries(UserStore::Mine), fresh.entries(UserStore::Mine));

        QTRY_COMPARE(one.entries(UserStore::Mine), fresh.entries(UserStore::Mine));
        QTRY_COMPARE(one.entries(UserStore::Favourites), fresh.entries(UserStore::Favourites));
        QTRY_COMPARE(one.entries(UserStore::Recent), fresh.entries(UserStore::Recent));
        QVERIFY(one.isFavourite(QStringLiteral("二")));
        two.remove(UserStore::Recent, QStringLiteral("a"));
        QTRY_COMPARE(one.entries(UserStore::Recent), QStringList { "b" });
        QVERIFY(std::any_of(changedInOne.begin(), changedInOne.end(),
            [](const QList<QVariant> &args) { return args[0].value<UserStore::List>() == UserStore::Mine; }));
    }

    // No change makes a file too large to read back; one that is too large already says
    // so and stays as it is.
    void filesStayWithinTheSizeLimit()
    {
        QTemporaryDir dir;
        QFile tooLarge(dir.filePath(QStringLiteral("favourites.txt")));
        QVERIFY(tooLarge.open(QIODevice::WriteOnly) && tooLarge.resize(UserStore::MaxFileBytes + 1));
        tooLarge.close();
        QVERIFY(writeFile(
            dir.filePath(QStringLiteral("mine.txt")), QByteArray(UserStore::MaxFileBytes - 8, 'b') + "\n%\n"));

        UserStore store(dir.path());
        QSignalSpy notices(&store, &UserStore::notice);
        store.load();
        QCOMPARE(notices.size(), 1);
        QVERIFY(notices[0][0].toString().contains(QStringLiteral("favourites.txt")));
        QVERIFY(notices[0][0].toString().contains(QStringLiteral("超过 64 MiB")));
        QCOMPARE(store.entries(UserStore::Mine).size(), 1);

        QVERIFY(!store.addOwn(QStringLiteral("123456")));
        QCOMPARE(notices.size(), 2);
        QVERIFY(notices[1][0].toString().startsWith(QStringLiteral("这一条没有保存")));
        QVERIFY(notices[1][0].toString().contains(QStringLiteral("mine.txt")));
        QCOMPARE(store.entries(UserStore::Mine).size(), 1);
        QVERIFY(store.addOwn(QStringLiteral("1")));
        QCOMPARE(QFileInfo(store.path(UserStore::Mine)).size(), UserStore::MaxFileBytes - 1);

        store.setFavourite(QStringLiteral("星"), true);
        QVERIFY(store.isFavourite(QStringLiteral("星")));
        QCOMPARE(QFileInfo(store.path(UserStore::Favourites)).size(), UserStore::MaxFileBytes + 1);
        QCOMPARE(notices.size(), 2);
    }

    // A folder that cannot be made or written is reported once, however often it fails.
    void unwritableFolderIsReportedOnce()
    {
        QTemporaryDir dir;
        QVERIFY(writeFile(dir.filePath(QStringLiteral("plain")), "x"));
        UserStore store(dir.filePath(QStringLiteral("plain/zelto")));
        QSignalSpy notices(&store, &UserStore::notice);
        store.load();
        QCOMPARE(notices.size(), 0);
        store.recordCopy(QStringLiteral("一"));
        store.recordCopy(QStringLiteral("二"));
        store.setFavourite(QStringLiteral("一"), true);
        QCOMPARE(notices.size(), 1);
        QVERIFY(notices[0][0].toString().startsWith(QStringLiteral("无法在")));
        QCOMPARE(store.entries(UserStore::Recent), (QStringList { "二", "一" }));
    }
};

QTEST_GUILESS_MAIN(TestUserStore)
#include "tst_userstore.moc"
