#include "platform/InstanceLock.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

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
        other.start(QCoreApplication::applicationFilePath(), {QStringLiteral("-child"), dir.path()});
        QVERIFY(other.waitForFinished(10000));
        QCOMPARE(other.exitCode(), 1);
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
    if (argc == 3 && QByteArray(argv[1]) == "-child") {
        QCoreApplication app(argc, argv);
        InstanceLock second(QStringLiteral("Zelto签名字符2008 V4.0.3"), QString::fromLocal8Bit(argv[2]));
        return second.alreadyExists() ? 1 : 0;
    }
    QCoreApplication app(argc, argv);
    TestInstanceLock t;
    return QTest::qExec(&t, argc, argv);
}
#include "tst_instancelock.moc"
