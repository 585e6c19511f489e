#pragma once

#include <QObject>
#include <QString>

#include <optional>

class QLocalServer;
class QLocalSocket;

// How a copy started later reaches the running one: a local socket beside the
// single-instance lock, in the user's own runtime folder. Only the lock's holder listens;
// it accepts only processes of its own user (checked on each connection, also where the
// folder is a shared temporary one) and answers each request before the sender ends.
//
// A request is one line of JSON, {"find": TEXT, "time": N}; the answer one line, "ok" or
// "error " and the reason in the program's words.
class InstanceChannel : public QObject
{
    Q_OBJECT
public:
    // Larger requests are not ours: refused without being read further.
    static constexpr qsizetype MaxRequestBytes = 16 * 1024;
    static constexpr int ReplyTimeoutMs = 5000;

    struct FindRequest
    {
        QString text;
        quint32 timestamp = 0; // the window system's time of the user's action; 0: unknown
    };

    enum class Sent {
        Delivered,
        NoListener, // nobody listens (no copy runs, or it is still starting)
        Failed, // a listener was there but did not take the request: see error
    };
    struct SendResult
    {
        Sent sent = Sent::NoListener;
        QString error;
    };

    // name: the socket's full path.
    explicit InstanceChannel(QString name, QObject *parent = nullptr);
    ~InstanceChannel() override;

    // Listens in place of a socket that a copy which ended left behind; only the lock's
    // holder may call it. False, with the reason in error(), when it cannot.
    bool listen();
    QString error() const { return m_error; }
    QString name() const { return m_name; }

    // From a copy started later: hands the request over and waits for the answer.
    static SendResult sendFind(const QString &name, const FindRequest &request, int timeoutMs = ReplyTimeoutMs);

    static QByteArray encode(const FindRequest &request);
    // Null, with the reason, for anything that is not a request of ours.
    static std::optional<FindRequest> decode(const QByteArray &line, QString *error);

signals:
    void findRequested(const QString &text, quint32 timestamp);

private:
    void accept(QLocalSocket *socket);
    void answer(QLocalSocket *socket);

    QString m_name;
    QString m_error;
    QLocalServer *m_server = nullptr;
};
