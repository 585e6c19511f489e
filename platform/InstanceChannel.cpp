#include "platform/InstanceChannel.h"

#include <QDeadlineTimer>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocalServer>
#include <QLocalSocket>
#include <QTimer>

#include <sys/socket.h>
#include <unistd.h>

namespace {

const QByteArray Ok = QByteArrayLiteral("ok");
const QByteArray ErrorPrefix = QByteArrayLiteral("error ");

// Whether the process at the other end of a connected local socket is this user's.
bool peerIsThisUser(QLocalSocket *socket)
{
    ucred peer {};
    socklen_t size = sizeof peer;
    const auto fd = int(socket->socketDescriptor());
    return fd >= 0 && ::getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &peer, &size) == 0 && peer.uid == ::geteuid();
}

} // namespace

InstanceChannel::InstanceChannel(QString name, QObject *parent)
    : QObject(parent)
    , m_name(std::move(name))
{
}

InstanceChannel::~InstanceChannel() = default;

bool InstanceChannel::listen()
{
    if (m_server)
        return true;
    auto *server = new QLocalServer(this);
    server->setSocketOptions(QLocalServer::UserAccessOption);
    // Only the lock's holder gets here, so a socket in the way is a leftover.
    QLocalServer::removeServer(m_name);
    if (!server->listen(m_name)) {
        m_error = QStringLiteral("无法打开 %1（%2），以后启动的“zelto --find”无法交给本程序。")
                      .arg(m_name, server->errorString());
        delete server;
        return false;
    }
    m_server = server;
    connect(m_server, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket *socket = m_server->nextPendingConnection())
            accept(socket);
    });
    return true;
}

void InstanceChannel::accept(QLocalSocket *socket)
{
    connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
    if (!peerIsThisUser(socket)) {
        socket->abort();
        socket->deleteLater();
        return;
    }
    // A sender that never finishes its line does not keep the connection.
    QTimer::singleShot(ReplyTimeoutMs, socket, [socket] { socket->abort(); });
    connect(socket, &QLocalSocket::readyRead, this, [this, socket] { answer(socket); });
    answer(socket);
}

void InstanceChannel::answer(QLocalSocket *socket)
{
    if (socket->state() != QLocalSocket::ConnectedState)
        return;
    std::optional<FindRequest> request;
    QString error;
    if (socket->canReadLine()) {
        const QByteArray line = socket->readLine(MaxRequestBytes + 1);
        if (line.endsWith('\n'))
            request = decode(line.chopped(1), &error);
        else
            error = QStringLiteral("请求太长");
    } else if (socket->bytesAvailable() > MaxRequestBytes) {
        error = QStringLiteral("请求太长");
    } else {
        return; // the rest is still coming
    }
    socket->disconnect(this);
    socket->write(request ? Ok + '\n' : ErrorPrefix + error.toUtf8() + '\n');
    socket->disconnectFromServer();
    if (request)
        emit findRequested(request->text, request->timestamp);
}

QByteArray InstanceChannel::encode(const FindRequest &request)
{
    QJsonObject object;
    object.insert(QStringLiteral("find"), request.text);
    object.insert(QStringLiteral("time"), qint64(request.timestamp));
    return QJsonDocument(object).toJson(QJsonDocument::Compact) + '\n';
}

std::optional<InstanceChannel::FindRequest> InstanceChannel::decode(const QByteArray &line, QString *error)
{
    const auto refuse = [error](const QString &reason) {
        if (error)
            *error = reason;
        return std::nullopt;
    };
    if (line.size() > MaxRequestBytes)
        return refuse(QStringLiteral("请求太长"));
    QJsonParseError parseError {};
    const QJsonDocument document = QJsonDocument::fromJson(line, &parseError);
    if (parseError.error != QJsonParseError::NoError || !document.isObject())
        return refuse(QStringLiteral("请求无法识别"));
    const QJsonObject object = document.object();
    const QJsonValue text = object.value(QStringLiteral("find"));
    const QJsonValue time = object.value(QStringLiteral("time"));
    if (!text.isString() || !(time.isUndefined() || time.isDouble()))
        return refuse(QStringLiteral("请求无法识别"));
    const double stamp = time.toDouble(0);
    if (stamp < 0 || stamp > 0xffffffffu || stamp != qint64(stamp))
        return refuse(QStringLiteral("请求无法识别"));
    return FindRequest { text.toString(), quint32(stamp) };
}

InstanceChannel::SendResult InstanceChannel::sendFind(const QString &name, const FindRequest &request, int timeoutMs)
{
    const QDeadlineTimer deadline(timeoutMs);
    QLocalSocket socket;
    socket.connectToServer(name);
    if (!socket.waitForConnected(int(deadline.remainingTime())))
        return { Sent::NoListener, socket.errorString() };
    if (!peerIsThisUser(&socket))
        return { Sent::Failed, QStringLiteral("%1 属于别的用户").arg(name) };
    const QByteArray message = encode(request);
    if (message.size() > MaxRequestBytes)
        return { Sent::Failed, QStringLiteral("要查找的文字太长") };
    socket.write(message);
    QByteArray reply;
    while (!reply.contains('\n')) {
        if (socket.bytesAvailable() == 0 && !socket.waitForReadyRead(int(deadline.remainingTime())))
            return { Sent::Failed, QStringLiteral("正在运行的程序没有回应") };
        reply += socket.read(MaxRequestBytes);
        if (reply.size() > MaxRequestBytes)
            break;
    }
    reply = reply.left(reply.indexOf('\n'));
    if (reply == Ok)
        return { Sent::Delivered, {} };
    if (reply.startsWith(ErrorPrefix))
        return { Sent::Failed, QString::fromUtf8(reply.mid(ErrorPrefix.size())) };
    return { Sent::Failed, QStringLiteral("正在运行的程序的回答无法识别") };
}
