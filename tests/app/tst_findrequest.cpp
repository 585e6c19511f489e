#include "app/FindRequest.h"
#include "platform/InstanceChannel.h"
#include "platform/InstanceLock.h"
#include "support/Files.h"

#include <QLocalSocket>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <future>

namespace {

const QString Title = QStringLiteral("Zelto签名字符2008 V4.0.3");

// What the running copy answers to these bytes, sent by another program.
QByteArray answerTo(const QString &channel, const QByteArray &bytes)
{
    QLocalSocket socket;
    socket.connectToServer(channel);
    if (!socket.waitForConnected(5000))
        return "not connected";
    socket.write(bytes);
    QByteArray reply;
    QDeadlineTimer deadline(10000);
    while (!reply.endsWith('\n') && !deadline.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        reply += socket.readAll();
    }
    return reply;
}

} // namespace

class TestFindRequest : public QObject
{
    Q_OBJECT
private slots:
    // The copy started later hands the text over and ends; the first one takes it.
    void runningCopyTakesTheRequest()
    {
        QTemporaryDir dir;
        InstanceLock owner(Title, dir.path());
        QVERIFY(!owner.alreadyExists());
        InstanceChannel channel(owner.channelName());
        QVERIFY2(channel.listen(), qPrintable(channel.error()));
        QSignalSpy requests(&channel, &InstanceChannel::findRequested);

        InstanceLock later(Title, dir.path());
        const QString text = QStringLiteral("开心 \"kx\"\n\\ 第二行");
        auto sent = std::async(std::launch::async, [&] { return FindRequest::forward(later, { text, 4711 }); });
        QTRY_COMPARE(requests.count(), 1);
        QCOMPARE(requests.at(0).at(0).toString(), text);
        QCOMPARE(requests.at(0).at(1).value<quint32>(), 4711u);
        QTRY_VERIFY(sent.wait_for(std::chrono::seconds(0)) == std::future_status::ready);
        QCOMPARE(sent.get().outcome, FindRequest::Outcome::Forwarded);
        QVERIFY(!later.held());
    }

    // No copy runs, also where a crashed one left its socket: this one starts and listens.
    void withoutARunningCopyTheProgramStarts()
    {
        QTemporaryDir dir;
        InstanceLock lock(Title, dir.path());
        QVERIFY(writeFile(lock.channelName(), "left behind"));
        const FindRequest::Forwarding forwarding = FindRequest::forward(lock, { QStringLiteral("kx"), 0 });
        QCOMPARE(forwarding.outcome, FindRequest::Outcome::StartHere);
        QVERIFY(lock.held());
        InstanceChannel channel(lock.channelName());
        QVERIFY2(channel.listen(), qPrintable(channel.error()));
    }

    // A copy holds the lock but never listens (hung, or an older version).
    void silentCopyIsReported()
    {
        QTemporaryDir dir;
        InstanceLock owner(Title, dir.path());
        QVERIFY(!owner.alreadyExists());
        InstanceLock later(Title, dir.path());
        const FindRequest::Forwarding forwarding = FindRequest::forward(later, { QStringLiteral("kx"), 0 }, 100);
        QCOMPARE(forwarding.outcome, FindRequest::Outcome::Failed);
        QCOMPARE(forwarding.error, QStringLiteral("Zelto签名字符2008已经在运行了，但它没有回应查找请求。"));
    }

    // Anything else on the socket is refused in the program's words; the channel goes on.
    void strangeMessagesAreRefused_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QByteArray>("reply");
        QTest::newRow("not JSON") << QByteArray("hello\n") << QByteArray("error 请求无法识别\n");
        QTest::newRow("binary") << QByteArray("\xff\x00\xfe\n", 4) << QByteArray("error 请求无法识别\n");
        QTest::newRow("text not a string") << QByteArray("{\"find\":5}\n") << QByteArray("error 请求无法识别\n");
        QTest::newRow("time out of range")
            << QByteArray("{\"find\":\"kx\",\"time\":-1}\n") << QByteArray("error 请求无法识别\n");
        QTest::newRow("an array") << QByteArray("[\"kx\"]\n") << QByteArray("error 请求无法识别\n");
        QTest::newRow("endless line") << QByteArray(InstanceChannel::MaxRequestBytes + 10, 'a')
                                      << QByteArray("error 请求太长\n");
        QTest::newRow("long line") << QByteArray(InstanceChannel::MaxRequestBytes + 10, 'a') + '\n'
                                   << QByteArray("error 请求太长\n");
    }
    void strangeMessagesAreRefused()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QByteArray, reply);
        QTemporaryDir dir;
        InstanceChannel channel(dir.filePath(QStringLiteral("channel")));
        QVERIFY(channel.listen());
        QSignalSpy requests(&channel, &InstanceChannel::findRequested);
        QCOMPARE(QString::fromUtf8(answerTo(channel.name(), bytes)), QString::fromUtf8(reply));
        {
            // One that hangs up halfway.
            QLocalSocket socket;
            socket.connectToServer(channel.name());
            QVERIFY(socket.waitForConnected(5000));
            socket.write("{\"find\":");
            QVERIFY(socket.waitForBytesWritten(5000));
        }
        QCOMPARE(answerTo(channel.name(),
                     R"({"find":"kx"})"
                     "\n"),
            QByteArray("ok\n"));
        QCOMPARE(requests.count(), 1);
    }

    void startupTimeFromTheLauncher()
    {
        QCOMPARE(FindRequest::startupTime("openbox-123-host-zelto-0_TIME98765"), 98765u);
        QCOMPARE(FindRequest::startupTime("no time here"), 0u);
        QCOMPARE(FindRequest::startupTime("x_TIMEabc"), 0u);
    }
};

QTEST_GUILESS_MAIN(TestFindRequest)
#include "tst_findrequest.moc"
