#include "apiservice.h"

#include "accounts.h"
#include "httpbody.h"
#include "localappserver.h"
#include "servererror.h"

#include <mutex>

namespace appserver::http {

namespace {

ApiAnswer unavailable(const ServerError &error)
{
    return errorAnswer(503, ServerTexts::tr("O banco de dados do servidor de aplicação não está acessível; "
                                              "nada foi alterado. %1").arg(error.message()));
}

// The arguments of a call body; nothing when the body is not the protocol's.
std::optional<QVariantList> callArguments(const QByteArray &body)
{
    try {
        return contracts::http::decodeCallRequest(body);
    } catch (const contracts::PacketError &) {
        return std::nullopt;
    }
}

} // namespace

ApiAnswer errorAnswer(int status, const QString &message)
{
    return ApiAnswer{status, contracts::http::encodeMessage(message), QString(), false};
}

ApiService::ApiService(ThreadConnections &connections, qint64 sessionLifetimeSeconds)
    : m_connections(connections), m_sessionLifetimeSeconds(sessionLifetimeSeconds)
{
}

ApiAnswer ApiService::login(const QByteArray &body) const
{
    std::optional<contracts::http::Login> credentials;
    try {
        credentials = contracts::http::decodeLogin(body);
    } catch (const contracts::PacketError &) {
        return errorAnswer(400, ServerTexts::tr("O corpo do login deve ser um mapa CBOR com \"user\" e "
                                                  "\"password\" em texto."));
    }
    try {
        const std::optional<Session> session =
            Accounts(m_connections.current()).login(credentials->user, credentials->password, m_sessionLifetimeSeconds);
        if (!session) {
            ApiAnswer answer = errorAnswer(401, ServerTexts::tr("Usuário ou senha inválidos."));
            answer.failedLogin = true;
            return answer;
        }
        return ApiAnswer{200, contracts::http::encodeSession({session->token, session->expiresIn}), credentials->user.trimmed(), false};
    } catch (const ServerError &error) {
        return unavailable(error);
    }
}

ApiAnswer ApiService::call(const QString &method, const QString &token, const QByteArray &body) const
{
    try {
        const QSqlDatabase db = m_connections.current();
        const QString user = Accounts(db).userForToken(token);
        if (user.isEmpty())
            return errorAnswer(401, ServerTexts::tr("Sessão inválida ou expirada; entre novamente."));
        ApiAnswer answer;
        if (!LocalAppServer::hasMethod(method)) {
            // The automation object's own refusal of an unknown method, as a 404.
            QVariantList none;
            answer = errorAnswer(404, LocalAppServer(db.connectionName(), user)
                                          .Invoke(method, none).toMap().value(QStringLiteral("message")).toString());
        } else if (std::optional<QVariantList> args = callArguments(body)) {
            const QVariant result = invokeInTurn(db, method, user, *args);
            answer = ApiAnswer{200, contracts::http::encodeCallAnswer({result, *args}), QString(), false};
        } else {
            answer = errorAnswer(400, ServerTexts::tr("O corpo da chamada deve ser um mapa CBOR com a lista "
                                                        "de argumentos em \"args\"."));
        }
        answer.user = user;
        return answer;
    } catch (const ServerError &error) {
        return unavailable(error);
    }
}

QVariant ApiService::invokeInTurn(const QSqlDatabase &db, const QString &method, const QString &user,
                                  QVariantList &args) const
{
    std::unique_lock<QMutex> turn(m_sqliteWriters, std::defer_lock);
    if (m_connections.config().engine == DatabaseConfig::Engine::Sqlite && LocalAppServer::writesData(method))
        turn.lock();
    return LocalAppServer(db.connectionName(), user).Invoke(method, args);
}

ApiAnswer ApiService::health() const
{
    try {
        const int version = ServerDatabase::schemaVersion(m_connections.current());
        return ApiAnswer{200, contracts::http::encodeHealth({m_connections.config().engineName(), version}), QString(), false};
    } catch (const ServerError &error) {
        return unavailable(error);
    }
}

} // namespace appserver::http
