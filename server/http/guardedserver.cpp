#include "guardedserver.h"

#include "httpbody.h"


namespace appserver::http {

namespace {

const char kReceived[] = "pkgAppServerBytesReceived";

void drop(QTcpSocket *socket)
{
    // The HTTP parser reads inside a transaction, which would keep every byte buffered.
    if (socket->isTransactionStarted())
        socket->commitTransaction();
    socket->readAll();
}

void refuse(QTcpSocket *socket)
{
    // Nobody reads this connection any more: the HTTP parser is disconnected, what still
    // arrives is dropped, the answer goes out and the connection closes.
    QObject::disconnect(socket, &QIODevice::readyRead, nullptr, nullptr);
    QObject::connect(socket, &QIODevice::readyRead, socket, [socket] { drop(socket); });
    drop(socket);
    const QByteArray body = contracts::http::encodeMessage(QStringLiteral("O corpo da requisição excede o limite; a conexão foi "
                                                         "encerrada e nada foi alterado."));
    socket->write("HTTP/1.1 413 Payload Too Large\r\nContent-Type: " + QByteArray(contracts::http::MediaType) +
                  "\r\nContent-Length: " + QByteArray::number(body.size()) + "\r\nConnection: close\r\n\r\n" + body);
    socket->disconnectFromHost();
}

} // namespace

void watchIncoming(QTcpSocket *socket, qint64 cutOff, const CutOffReport &report)
{
    QObject::connect(socket, &QIODevice::readyRead, socket, [socket, cutOff, report] {
        const qint64 received = socket->property(kReceived).toLongLong() + socket->bytesAvailable();
        socket->setProperty(kReceived, received);
        if (received <= cutOff)
            return;
        refuse(socket);
        if (report)
            report(received);
    });
}

void resetIncoming(QTcpSocket *socket)
{
    socket->setProperty(kReceived, 0);
}

} // namespace appserver::http
