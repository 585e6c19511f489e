// The frames: the shipped ones, and the user's frames.txt, which is written only when it
// can be read back and never over a file the program could not understand.

#include "decorate/FrameList.h"
#include "find/FortuneFormat.h"
#include "support/Files.h"

#include <QDir>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

class TestFrameList : public QObject
{
    Q_OBJECT

private slots:
    void shippedFrames()
    {
        const QStringList frames = FrameList::shipped();
        QVERIFY2(frames.size() >= 60, qPrintable(QString::number(frames.size())));
        for (const QString &f : frames)
            QVERIFY2(f.count(FrameList::Placeholder) == 1, qPrintable(f));
        QCOMPARE(QSet<QString>(frames.begin(), frames.end()).size(), frames.size());
    }

    void roundTrip()
    {
        QTemporaryDir dir;
        const QString folder = dir.filePath(QStringLiteral("zelto"));
        const QStringList own = { QStringLiteral("%{}%"), QStringLiteral("╭{}╮\n╰{}╯"), QStringLiteral("{}") };
        {
            FrameList frames(folder);
            QSignalSpy notices(&frames, &FrameList::notice);
            frames.load();
            QVERIFY(frames.own().isEmpty());
            for (const QString &f : own)
                QVERIFY(frames.add(f));
            QVERIFY(frames.add(own[0])); // once only
            QVERIFY(notices.isEmpty());
        }
        FrameList again(folder);
        again.load();
        QCOMPARE(again.own(), own);
        QCOMPARE(again.all(), FrameList::shipped() + own);
        QCOMPARE(FortuneFormat::read(readFile(again.path())), own);
    }

    // Frames without a place for the name are refused when added and left out when read.
    void framesWithoutPlaceholder()
    {
        QTemporaryDir dir;
        FrameList frames(dir.path());
        QSignalSpy notices(&frames, &FrameList::notice);
        QVERIFY(!frames.add(QStringLiteral("★★")));
        QCOMPARE(notices.size(), 1);
        QVERIFY(!QFile::exists(frames.path()));

        QVERIFY(writeFile(frames.path(), FortuneFormat::write({ "★{}★", "★★", "☆" })));
        frames.load();
        QCOMPARE(frames.own(), QStringList { "★{}★" });
        QCOMPARE(notices.size(), 2);
        QVERIFY(notices[1][0].toString().contains(QStringLiteral("2 条花边没有 {}")));
    }

    // A file that is not UTF-8 text is reported, and what is added stays in memory.
    void malformedFileIsNeverOverwritten()
    {
        QTemporaryDir dir;
        FrameList frames(dir.path());
        const QByteArray bad("\xFF\xFE{}\n%\n");
        QVERIFY(writeFile(frames.path(), bad));
        QSignalSpy notices(&frames, &FrameList::notice);
        frames.load();
        QCOMPARE(notices.size(), 1);
        QVERIFY(notices[0][0].toString().contains(QStringLiteral("不是能读懂的 UTF-8 文本")));
        QVERIFY(frames.own().isEmpty());
        QVERIFY(frames.add(QStringLiteral("<{}>")));
        QCOMPARE(frames.own(), QStringList { "<{}>" });
        QCOMPARE(readFile(frames.path()), bad);
        QCOMPARE(notices.size(), 1);

        // Gone bad after it was read: found when writing, reported, left alone.
        FrameList later(dir.filePath(QStringLiteral("later")));
        later.load();
        QVERIFY(QDir().mkpath(dir.filePath(QStringLiteral("later"))));
        QVERIFY(writeFile(later.path(), bad));
        QSignalSpy laterNotices(&later, &FrameList::notice);
        QVERIFY(later.add(QStringLiteral("<{}>")));
        QCOMPARE(laterNotices.size(), 1);
        QCOMPARE(readFile(later.path()), bad);
    }

    void unwritableFolder()
    {
        QTemporaryDir dir;
        QVERIFY(writeFile(dir.filePath(QStringLiteral("plain")), "x"));
        FrameList frames(dir.filePath(QStringLiteral("plain/zelto")));
        QSignalSpy notices(&frames, &FrameList::notice);
        frames.load();
        QVERIFY(notices.isEmpty());
        QVERIFY(frames.add(QStringLiteral("[{}]")));
        QCOMPARE(notices.size(), 1);
        QVERIFY(notices[0][0].toString().startsWith(QStringLiteral("无法在")));
        QCOMPARE(frames.own(), QStringList { "[{}]" });
    }
};

QTEST_GUILESS_MAIN(TestFrameList)
#include "tst_framelist.moc"
