#pragma once
// TCP and TLS servers that count what each connection sends before it gets an answer.
// Qt HttpServer 6.4 reads a whole request into memory before handing it over, so a body
// far over the limit would first fill the memory and only then get its 413; here it is
// cut off while it arrives: the connection gets a 413 with {"message"} and is closed.
// Bodies over the limit but under the cut-off get their 413 from the HTTP front, with
// the connection kept.

#include <QSslServer>
#include <QTcpServer>
#include <QTcpSocket>
#include <functional>

namespace appserver::http {

// Called once for a connection that was cut off, for the request log.
using CutOffReport = std::function<void(qint64 received)>;

// Starts counting the socket's incoming bytes; past cutOff the connection is refused.
void watchIncoming(QTcpSocket *socket, qint64 cutOff, const CutOffReport &report);
// Starts the count again: the request so far was answered.
void resetIncoming(QTcpSocket *socket);

template <class Server>
class GuardedServer : public Server {
public:
    GuardedServer(qint64 cutOff, CutOffReport report, QObject *parent = nullptr)
        : Server(parent), m_cutOff(cutOff), m_report(std::move(report)) {}

    // The HTTP server takes each connection from here and only then connects to it, so
    // the count sees every byte before the HTTP parser does.
    QTcpSocket *nextPendingConnection() override
    {
        QTcpSocket *socket = Server::nextPendingConnection();
        if (socket)
            watchIncoming(socket, m_cutOff, m_report);
        return socket;
    }

private:
    qint64 m_cutOff;
    CutOffReport m_report;
};

} // namespace appserver::http
