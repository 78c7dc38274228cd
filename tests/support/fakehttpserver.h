#pragma once
// A scripted HTTP server on a loopback port, for the host's HTTP client: it records
// every request and answers each from a script, which can also answer late, answer
// garbage or close the connection without a word. Runs on the test's thread; the
// client's local event loop serves it.

#include <QByteArray>
#include <QHostAddress>
#include <QList>
#include <QMap>
#include <QObject>
#include <QString>
#include <QTcpServer>

#include <functional>

class QTcpSocket;

class FakeHttpServer : public QObject {
    Q_OBJECT
public:
    struct Request {
        QString method;
        QString path;
        QMap<QByteArray, QByteArray> headers;   // names in lower case
        QByteArray body;
    };
    struct Reply {
        int status = 200;
        QByteArray body;
        int delayMs = 0;            // answer this much later
        bool hangUp = false;        // close the connection without answering
        bool silent = false;        // never answer, keep the connection open
        QByteArray raw;             // sent as it is instead of an HTTP answer

        static Reply With(int status, const QByteArray &body = QByteArray())
        {
            Reply reply;
            reply.status = status;
            reply.body = body;
            return reply;
        }
        static Reply Late(int delayMs)
        {
            Reply reply;
            reply.delayMs = delayMs;
            return reply;
        }
        static Reply HangUp()
        {
            Reply reply;
            reply.hangUp = true;
            return reply;
        }
        static Reply Silent()
        {
            Reply reply;
            reply.silent = true;
            return reply;
        }
        static Reply Raw(const QByteArray &bytes)
        {
            Reply reply;
            reply.raw = bytes;
            return reply;
        }
    };
    using Script = std::function<Reply(const Request &request)>;

    explicit FakeHttpServer(QObject *parent = nullptr);
    bool Listening() const { return m_server.isListening(); }
    quint16 Port() const { return m_server.serverPort(); }
    QString BaseUrl() const;

    void SetScript(Script script) { m_script = std::move(script); }
    QList<Request> Requests() const { return m_requests; }

private:
    void Accept();
    void Read(QTcpSocket *socket);
    void Send(QTcpSocket *socket, const Reply &reply);

    QTcpServer m_server;
    Script m_script;
    QList<Request> m_requests;
    QMap<QTcpSocket *, QByteArray> m_pending;
};
