#include "app/FindRequest.h"

#include "platform/InstanceLock.h"

#include <QDeadlineTimer>
#include <QThread>

namespace FindRequest {

Forwarding forward(InstanceLock &lock, const InstanceChannel::FindRequest &request, int startingMs)
{
    const QDeadlineTimer starting(startingMs);
    for (;;) {
        const InstanceChannel::SendResult sent = InstanceChannel::sendFind(lock.channelName(), request);
        if (sent.sent == InstanceChannel::Sent::Delivered)
            return { Outcome::Forwarded, {} };
        if (sent.sent == InstanceChannel::Sent::Failed)
            return { Outcome::Failed, QStringLiteral("正在运行的程序没有接受查找请求：") + sent.error };
        // Nobody listens: either no copy runs (and the lock becomes ours) or it is starting.
        if (!lock.alreadyExists())
            return { Outcome::StartHere, {} };
        if (starting.hasExpired())
            return { Outcome::Failed, QStringLiteral("Zelto签名字符2008已经在运行了，但它没有回应查找请求。") };
        QThread::msleep(50);
    }
}

quint32 startupTime(const QByteArray &startupId)
{
    const qsizetype at = startupId.lastIndexOf("_TIME");
    if (at < 0)
        return 0;
    bool ok = false;
    const quint32 time = startupId.mid(at + 5).toUInt(&ok);
    return ok ? time : 0;
}

} // namespace FindRequest
