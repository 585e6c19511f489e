#include "platform/InstanceLock.h"
#include "support/Files.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

class TestInstanceLock : public QObject
{
    Q_OBJECT
private slots:
    void secondHolderIsRefused()
    {
        QTemporaryDir dir;
        InstanceLock first(QStringLiteral("Zelto签名字符2008 V4.0.3"), dir.path());
        QVERIFY(!first.alreadyExists());
        QVERIFY(!first.alreadyExists()); // asking again keeps the lock

        // Another process: run this test binary as the second holder.
        QProcess other;
        other.start(QCoreApplication::applicationFilePath(), { QStringLiteral("-child"), dir.path() });
        QVERIFY(other.waitForFinished(10000));
        QCOMPARE(other.exitCode(), 1);
        QVERIFY(QFile::exists(first.fileName())); // the refused one removed nothing
    }

    // What a crash can leave behind; nobody holds it, so it is taken over.
    void leftoverLockIsTakenOver_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("garbled") << QByteArray("\xff\xfe garbage\n\n\n");
        QTest::newRow("this process's own number")
            << QByteArray::number(QCoreApplication::applicationPid()) + "\ntst_instancelock\n";
    }
    void leftoverLockIsTakenOver()
    {
        QFETCH(QByteArray, content);
        QTemporaryDir dir;
        InstanceLock lock(QStringLiteral("title"), dir.path());
        QVERIFY(writeFile(lock.fileName(), content));
        QVERIFY(!lock.alreadyExists());
        QProcess other;
        other.start(
            QCoreApplication::applicationFilePath(), { QStringLiteral("-child"), dir.path(), QStringLiteral("title") });
        QVERIFY(other.waitForFinished(10000));
        QCOMPARE(other.exitCode(), 1); // and it is really held now
    }

    void fifoInTheLocksPlaceDoesNotBlock()
    {
        QTemporaryDir dir;
        InstanceLock lock(QStringLiteral("title"), dir.path());
        QCOMPARE(::mkfifo(QFile::encodeName(lock.fileName()).constData(), 0600), 0);
        QVERIFY(!lock.alreadyExists());
    }

    void noLockPossibleLetsTheStartGoOn()
    {
        QTemporaryDir dir;
        QFile file(dir.filePath(QStringLiteral("file")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        // The folder cannot be made: its parent is a file. This holds for root too.
        QProcess other;
        other.start(QCoreApplication::applicationFilePath(),
            { QStringLiteral("-child"), file.fileName() + QStringLiteral("/run") });
        QVERIFY(other.waitForFinished(10000));
        QCOMPARE(other.exitCode(), 0);
        QVERIFY(QString::fromUtf8(other.readAllStandardError()).contains(QStringLiteral("无法建立运行锁")));
    }

    void lockIsFreeAfterTheHolderEnds()
    {
        QTemporaryDir dir;
        {
            InstanceLock first(QStringLiteral("title"), dir.path());
            QVERIFY(!first.alreadyExists());
        }
        InstanceLock again(QStringLiteral("title"), dir.path());
        QVERIFY(!again.alreadyExists());
    }
};

int main(int argc, char **argv)
{
    if (argc >= 3 && QByteArray(argv[1]) == "-child") {
        QCoreApplication app(argc, argv);
        const QString name = argc > 3 ? QString::fromLocal8Bit(argv[3]) : QStringLiteral("Zelto签名字符2008 V4.0.3");
        InstanceLock second(name, QString::fromLocal8Bit(argv[2]));
        return second.alreadyExists() ? 1 : 0;
    }
    QCoreApplication app(argc, argv);
    TestInstanceLock t;
    return QTest::qExec(&t, argc, argv);
}
#include "tst_instancelock.moc"
