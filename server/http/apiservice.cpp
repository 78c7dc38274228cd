#include "apiservice.h"

#include "accounts.h"
#include "apimessages.h"
#include "localappserver.h"
#include "servererror.h"

namespace appserver::http {

namespace {

ApiAnswer unavailable(const ServerError &error)
{
    return errorAnswer(503, QStringLiteral("O banco de dados do servidor de aplicação não está acessível; "
                                             "nada foi alterado. %1").arg(error.message()));
}

} // namespace

ApiAnswer errorAnswer(int status, const QString &message)
{
    return ApiAnswer{status, http::messageAnswer(message), QString(), false};
}

ApiService::ApiService(ThreadConnections &connections, qint64 sessionLifetimeSeconds)
    : m_connections(connections), m_sessionLifetimeSeconds(sessionLifetimeSeconds)
{
}

ApiAnswer ApiService::login(const QByteArray &body) const
{
    const std::optional<Credentials> credentials = parseLoginBody(body);
    if (!credentials)
        return errorAnswer(400, QStringLiteral("O corpo do login deve ser um mapa CBOR com \"user\" e "
                                                 "\"password\" em texto."));
    try {
        const std::optional<Session> session =
            Accounts(m_connections.current()).login(credentials->user, credentials->password, m_sessionLifetimeSeconds);
        if (!session) {
            ApiAnswer answer = errorAnswer(401, QStringLiteral("Usuário ou senha inválidos."));
            answer.failedLogin = true;
            return answer;
        }
        return ApiAnswer{200, loginAnswer(session->token, session->expiresIn), credentials->user.trimmed(), false};
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
            return errorAnswer(401, QStringLiteral("Sessão inválida ou expirada; entre novamente."));
        ApiAnswer answer;
        LocalAppServer server(db.connectionName(), user);
        if (!LocalAppServer::hasMethod(method)) {
            // The automation object's own refusal of an unknown method, as a 404.
            QVariantList none;
            answer = errorAnswer(404, server.Invoke(method, none).toMap().value(QStringLiteral("message")).toString());
        } else if (std::optional<QVariantList> args = parseCallBody(body)) {
            const QVariant result = server.Invoke(method, *args);
            answer = ApiAnswer{200, callAnswer(result, *args), QString(), false};
        } else {
            answer = errorAnswer(400, QStringLiteral("O corpo da chamada deve ser um mapa CBOR com a lista "
                                                       "de argumentos em \"args\"."));
        }
        answer.user = user;
        return answer;
    } catch (const ServerError &error) {
        return unavailable(error);
    }
}

ApiAnswer ApiService::health() const
{
    try {
        const int version = ServerDatabase::schemaVersion(m_connections.current());
        return ApiAnswer{200, healthAnswer(m_connections.config().engineName(), version), QString(), false};
    } catch (const ServerError &error) {
        return unavailable(error);
    }
}

} // namespace appserver::http
