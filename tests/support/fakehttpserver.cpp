#include "fakehttpserver.h"

#include <QPointer>
#include <QTcpSocket>
#include <QTimer>

FakeHttpServer::FakeHttpServer(QObject *parent)
    : QObject(parent)
{
    connect(&m_server, &QTcpServer::newConnection, this, &FakeHttpServer::Accept);
    m_server.listen(QHostAddress::LocalHost, 0);
}

QString FakeHttpServer::BaseUrl() const
{
    return QStringLiteral("http://127.0.0.1:%1").arg(Port());
}

void FakeHttpServer::Accept()
{
    while (QTcpSocket *socket = m_server.nextPendingConnection()) {
        socket->setParent(this);
        connect(socket, &QTcpSocket::readyRead, this, [this, socket] { Read(socket); });
        connect(socket, &QTcpSocket::disconnected, this, [this, socket] {
            m_pending.remove(socket);
            socket->deleteLater();
        });
    }
}

void FakeHttpServer::Read(QTcpSocket *socket)
{
    QByteArray &data = m_pending[socket];
    data += socket->readAll();
    const qsizetype headerEnd = data.indexOf("\r\n\r\n");
    if (headerEnd < 0)
        return;
    Request request;
    const QList<QByteArray> lines = data.left(headerEnd).split('\n');
    const QList<QByteArray> start = lines.value(0).trimmed().split(' ');
    request.method = QString::fromLatin1(start.value(0));
    request.path = QString::fromLatin1(start.value(1));
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const qsizetype colon = lines[i].indexOf(':');
        if (colon > 0)
            request.headers.insert(lines[i].left(colon).trimmed().toLower(), lines[i].mid(colon + 1).trimmed());
    }
    const qsizetype length = request.headers.value("content-length", "0").toLongLong();
    if (data.size() < headerEnd + 4 + length)
        return;
    request.body = data.mid(headerEnd + 4, length);
    data.remove(0, headerEnd + 4 + length);
    m_requests.append(request);

    const Reply reply = m_script ? m_script(request) : Reply::With(404);
    if (reply.delayMs > 0) {
        QPointer<QTcpSocket> guarded(socket);
        QTimer::singleShot(reply.delayMs, this, [this, guarded, reply] {
            if (guarded)
                Send(guarded, reply);
        });
    } else {
        Send(socket, reply);
    }
}

void FakeHttpServer::Send(QTcpSocket *socket, const Reply &reply)
{
    if (reply.silent)
        return;
    if (reply.hangUp) {
        socket->abort();
        return;
    }
    if (!reply.raw.isEmpty()) {
        socket->write(reply.raw);
        socket->disconnectFromHost();
        return;
    }
    QByteArray answer = "HTTP/1.1 " + QByteArray::number(reply.status) + " X\r\n";
    answer += "Content-Type: application/cbor\r\n";
    answer += "Content-Length: " + QByteArray::number(reply.body.size()) + "\r\n";
    answer += "Connection: keep-alive\r\n\r\n";
    answer += reply.body;
    socket->write(answer);
}
