#pragma once
// The HTTP front of the application server: routes the three resources of the protocol,
// refuses what is malformed on the accepting thread (nothing there touches the
// database), hands the rest to a bounded pool of worker threads and answers each request
// when its worker is done, on the accepting thread. Logs one line per request to stderr:
// time, user, request, status, duration. Never logs a body, a password or a token.
//
//   POST /api/v1/login          {"user", "password"}  -> 200 {"token", "expires"} | 401
//   POST /api/v1/call/<method>  Bearer token, {"args"} -> 200 {"result", "args"} | 400 401 404
//   GET  /api/v1/health                                -> 200 {"status", "database", "schema"} | 503
//   any body over the limit -> 413; every error answer is {"message": text}.
// Messages are in the request's Accept-Language when the server has that language (see
// callerlanguage.h), else in Portuguese; Content-Language names the one used.

#include "apiservice.h"
#include "threadconnections.h"

#include <QAbstractHttpServer>
#include <QElapsedTimer>
#include <QPointer>
#include <QSslConfiguration>
#include <QStringList>
#include <QThreadPool>
#include <functional>
#include <memory>
#include <variant>

class QTcpSocket;

namespace appserver::http {

struct FrontSettings {
    int workers = 4;                             // database calls running at once
    qint64 maxBodyBytes = 16 * 1024 * 1024;      // larger bodies get 413
    qint64 sessionLifetimeSeconds = 8 * 3600;
    int failedLoginDelayMs = 1000;               // a refused login is answered this late
    QStringList languages;                       // besides Portuguese, for Accept-Language
};

class HttpFront : public QAbstractHttpServer {
    Q_OBJECT
public:
    HttpFront(const DatabaseConfig &database, const FrontSettings &settings, QObject *parent = nullptr);
    ~HttpFront() override;

    // Listens on the address (over TLS when given a configuration), with a cut-off for
    // bodies far over the limit (see guardedserver.h). The port listened on; 0 on failure.
    quint16 listenOn(const QHostAddress &address, quint16 port, const std::optional<QSslConfiguration> &tls);

    // Stops accepting connections and calls done once every request taken so far has
    // been answered (at once when none is in progress).
    void drain(std::function<void()> done);

protected:
    bool handleRequest(const QHttpServerRequest &request, QTcpSocket *socket) override;
    void missingHandler(const QHttpServerRequest &request, QTcpSocket *socket) override;

private:
    struct Exchange;
    using Work = std::function<ApiAnswer()>;
    // Work for a worker thread, or the answer at once when the request is refused
    // without the database.
    using Routed = std::variant<Work, ApiAnswer>;

    std::shared_ptr<Exchange> newExchange(const QHttpServerRequest &request, QTcpSocket *socket) const;
    Routed route(const QHttpServerRequest &request) const;
    Routed callRoute(const QHttpServerRequest &request, const QString &method) const;
    void runOnWorker(const std::shared_ptr<Exchange> &exchange, Work work);
    void answer(const std::shared_ptr<Exchange> &exchange, const ApiAnswer &answer);
    void send(const Exchange &exchange, const ApiAnswer &answer);
    void flushConnections();

    FrontSettings m_settings;
    int m_inProgress = 0;                // requests taken and not answered yet
    std::function<void()> m_drained;     // set by drain()
    ThreadConnections m_connections;   // declared before the pool: its threads end first
    ApiService m_service;
    QThreadPool m_pool;
};

} // namespace appserver::http
