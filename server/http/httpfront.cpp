#include "httpfront.h"

#include "callerlanguage.h"
#include "httpbody.h"
#include "guardedserver.h"
#include "servererror.h"

#include <QDateTime>
#include <QHttpServerRequest>
#include <QHttpServerResponder>
#include <QTcpSocket>
#include <QTimer>
#include <cstdio>

namespace appserver::http {

namespace {

const QString kApiPrefix = QStringLiteral("/api/v1/");
const QString kCallPrefix = QStringLiteral("/api/v1/call/");

QString verbName(QHttpServerRequest::Method method)
{
    switch (method) {
    case QHttpServerRequest::Method::Get: return QStringLiteral("GET");
    case QHttpServerRequest::Method::Post: return QStringLiteral("POST");
    case QHttpServerRequest::Method::Put: return QStringLiteral("PUT");
    case QHttpServerRequest::Method::Delete: return QStringLiteral("DELETE");
    case QHttpServerRequest::Method::Head: return QStringLiteral("HEAD");
    case QHttpServerRequest::Method::Options: return QStringLiteral("OPTIONS");
    case QHttpServerRequest::Method::Patch: return QStringLiteral("PATCH");
    default: return QStringLiteral("OUTRO");
    }
}

// The token of an "Authorization: Bearer <token>" header; empty when there is none.
QString bearerToken(const QHttpServerRequest &request)
{
    static const QByteArray scheme = QByteArrayLiteral("bearer ");
    for (const auto &header : request.headers()) {
        if (header.first.compare("authorization", Qt::CaseInsensitive) != 0)
            continue;
        const QByteArray value = header.second.trimmed();
        if (value.size() > scheme.size() && value.left(scheme.size()).toLower() == scheme)
            return QString::fromLatin1(value.mid(scheme.size()).trimmed());
    }
    return QString();
}

QByteArray headerValue(const QHttpServerRequest &request, const char *name)
{
    for (const auto &header : request.headers())
        if (header.first.compare(name, Qt::CaseInsensitive) == 0)
            return header.second;
    return QByteArray();
}

ApiAnswer notFound()
{
    return errorAnswer(404, ServerTexts::tr("Recurso não encontrado no servidor de aplicação."));
}

ApiAnswer wrongVerb(const QString &expected)
{
    return errorAnswer(405, ServerTexts::tr("Este recurso aceita somente %1.").arg(expected));
}

void writeLogLine(const QString &user, const QString &request, int status, qint64 milliseconds)
{
    const QString line = QStringLiteral("%1 %2 %3 %4 %5 ms\n")
                             .arg(QDateTime::currentDateTimeUtc().toString(Qt::ISODateWithMs),
                                  user.isEmpty() ? QStringLiteral("-") : user, request)
                             .arg(status)
                             .arg(milliseconds);
    std::fputs(line.toLocal8Bit().constData(), stderr);
    std::fflush(stderr);
}

} // namespace

// One request on its way: what the answer needs once the worker is done. The socket may
// go away meanwhile (the client gave up); the request object lives as long as it.
struct HttpFront::Exchange {
    QPointer<QTcpSocket> socket;
    const QHttpServerRequest *request = nullptr;
    QString logLabel;   // verb and path, never the query or a header
    QString language;   // of the messages; empty for Portuguese
    QElapsedTimer timer;
};

HttpFront::HttpFront(const DatabaseConfig &database, const FrontSettings &settings, QObject *parent)
    : QAbstractHttpServer(parent),
      m_settings(settings),
      m_connections(database),
      m_service(m_connections, settings.sessionLifetimeSeconds)
{
    m_pool.setMaxThreadCount(qMax(1, settings.workers));
    m_pool.setExpiryTimeout(-1);   // a worker keeps its thread, and so its connection
}

HttpFront::~HttpFront()
{
    m_pool.waitForDone();
}

quint16 HttpFront::listenOn(const QHostAddress &address, quint16 port, const std::optional<QSslConfiguration> &tls)
{
    // Twice the limit and a mebibyte for the headers: past that no request can be one the
    // front would accept, so it is cut off before it fills the memory.
    const qint64 cutOff = 2 * m_settings.maxBodyBytes + 1024 * 1024;
    const CutOffReport report = [](qint64 received) {
        writeLogLine(QString(), QStringLiteral("? (corpo acima do limite, %1 bytes; conexão encerrada)").arg(received),
                     413, 0);
    };
    QTcpServer *server = nullptr;
    if (tls) {
        auto *sslServer = new GuardedServer<QSslServer>(cutOff, report, this);
        sslServer->setSslConfiguration(*tls);
        server = sslServer;
    } else {
        server = new GuardedServer<QTcpServer>(cutOff, report, this);
    }
    if (!server->listen(address, port)) {
        delete server;
        return 0;
    }
    bind(server);
    return server->serverPort();
}

std::shared_ptr<HttpFront::Exchange> HttpFront::newExchange(const QHttpServerRequest &request, QTcpSocket *socket) const
{
    auto exchange = std::make_shared<Exchange>();
    exchange->language =
        CallerLanguage::fromAcceptLanguage(headerValue(request, "accept-language"), m_settings.languages);
    exchange->timer.start();
    exchange->socket = socket;
    exchange->request = &request;
    exchange->logLabel = verbName(request.method()) + QLatin1Char(' ') + request.url().path();
    return exchange;
}

void HttpFront::drain(std::function<void()> done)
{
    for (QTcpServer *server : servers())
        server->close();
    m_drained = std::move(done);
    if (m_inProgress == 0)
        QMetaObject::invokeMethod(this, m_drained, Qt::QueuedConnection);
}

bool HttpFront::handleRequest(const QHttpServerRequest &request, QTcpSocket *socket)
{
    ++m_inProgress;
    const std::shared_ptr<Exchange> exchange = newExchange(request, socket);
    const CallerLanguage::Scope language(exchange->language);
    Routed routed = route(request);
    if (Work *work = std::get_if<Work>(&routed))
        runOnWorker(exchange, std::move(*work));
    else
        answer(exchange, std::get<ApiAnswer>(routed));
    return true;
}

void HttpFront::missingHandler(const QHttpServerRequest &request, QTcpSocket *socket)
{
    // handleRequest answers every request; kept for completeness.
    const std::shared_ptr<Exchange> exchange = newExchange(request, socket);
    const CallerLanguage::Scope language(exchange->language);
    answer(exchange, notFound());
}

HttpFront::Routed HttpFront::route(const QHttpServerRequest &request) const
{
    if (request.body().size() > m_settings.maxBodyBytes)
        return errorAnswer(413, ServerTexts::tr("O corpo da requisição excede o limite de %1 bytes; nada foi alterado.")
                                    .arg(m_settings.maxBodyBytes));
    const QString path = request.url().path();
    const bool get = request.method() == QHttpServerRequest::Method::Get;
    const bool post = request.method() == QHttpServerRequest::Method::Post;
    if (path == kApiPrefix + QStringLiteral("health")) {
        if (!get)
            return wrongVerb(QStringLiteral("GET"));
        return Work([this] { return m_service.health(); });
    }
    if (path == kApiPrefix + QStringLiteral("login")) {
        if (!post)
            return wrongVerb(QStringLiteral("POST"));
        return Work([this, body = request.body()] { return m_service.login(body); });
    }
    if (path.startsWith(kCallPrefix) && path.size() > kCallPrefix.size()) {
        if (!post)
            return wrongVerb(QStringLiteral("POST"));
        return callRoute(request, path.mid(kCallPrefix.size()));
    }
    return notFound();
}

HttpFront::Routed HttpFront::callRoute(const QHttpServerRequest &request, const QString &method) const
{
    const QString token = bearerToken(request);
    if (token.isEmpty())
        return errorAnswer(401, ServerTexts::tr("Autenticação necessária: entre no servidor de aplicação e envie o "
                                                "token da sessão."));
    return Work([this, method, token, body = request.body()] { return m_service.call(method, token, body); });
}

void HttpFront::runOnWorker(const std::shared_ptr<Exchange> &exchange, Work work)
{
    m_pool.start([this, exchange, work = std::move(work)] {
        const CallerLanguage::Scope language(exchange->language);
        const ApiAnswer result = work();
        // Back to the accepting thread, which owns the socket.
        QMetaObject::invokeMethod(this, [this, exchange, result] { answer(exchange, result); }, Qt::QueuedConnection);
    });
}

void HttpFront::answer(const std::shared_ptr<Exchange> &exchange, const ApiAnswer &result)
{
    if (!result.failedLogin) {
        send(*exchange, result);
        return;
    }
    QTimer::singleShot(m_settings.failedLoginDelayMs, this, [this, exchange, result] { send(*exchange, result); });
}

void HttpFront::send(const Exchange &exchange, const ApiAnswer &result)
{
    writeLogLine(result.user, exchange.logLabel, result.status, exchange.timer.elapsed());
    if (exchange.socket) {   // else the client went away; nothing to answer
        resetIncoming(exchange.socket);
        QHttpServerResponder responder = makeResponder(*exchange.request, exchange.socket);
        const QByteArray language = exchange.language.isEmpty() ? QByteArrayLiteral("pt-BR") : exchange.language.toLatin1();
        responder.write(result.body,
                        {{QByteArrayLiteral("Content-Type"), QByteArray(contracts::http::MediaType)},
                         {QByteArrayLiteral("Content-Language"), language},
                         {QByteArrayLiteral("Vary"), QByteArrayLiteral("Accept-Language")}},
                        QHttpServerResponder::StatusCode(result.status));
    }
    if (--m_inProgress == 0 && m_drained) {
        flushConnections();
        m_drained();
    }
}

void HttpFront::flushConnections()
{
    // Only when stopping: the answers still in the sockets' buffers go out before the
    // event loop ends and takes the sockets with it.
    for (QTcpSocket *socket : findChildren<QTcpSocket *>())
        while (socket->bytesToWrite() > 0 && socket->waitForBytesWritten(5000)) {
        }
}

} // namespace appserver::http
