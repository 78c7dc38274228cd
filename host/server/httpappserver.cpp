#include "httpappserver.h"

#include "httpbody.h"
#include "serverresult.h"

#include <QEventLoop>
#include <QLocale>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>

namespace {

const QString LoginPath = QStringLiteral("/api/v1/login");
const QString CallPath = QStringLiteral("/api/v1/call/");

// The languages the host shows, for the server's messages: the default locale's (--lang,
// else the system's), Portuguese when it names none (the C locale).
QByteArray AcceptLanguage()
{
    QStringList languages = QLocale().uiLanguages();
    languages.removeAll(QStringLiteral("C"));
    return languages.isEmpty() ? QByteArrayLiteral("pt-BR") : languages.join(QStringLiteral(", ")).toLatin1();
}

// The transport's own failures, in the user's language (Qt's texts are English; they
// stay as detail).
QString NetworkFailure(const QNetworkReply *reply, const QUrl &server)
{
    QString what;
    switch (reply->error()) {
    case QNetworkReply::ConnectionRefusedError:
        what = HttpAppServer::tr("a conexão foi recusada");
        break;
    case QNetworkReply::HostNotFoundError:
        what = HttpAppServer::tr("o endereço não foi encontrado");
        break;
    case QNetworkReply::RemoteHostClosedError:
        what = HttpAppServer::tr("o servidor fechou a conexão antes de responder");
        break;
    case QNetworkReply::SslHandshakeFailedError:
        what = HttpAppServer::tr("a conexão segura (TLS) falhou");
        break;
    default:
        what = HttpAppServer::tr("falha de comunicação");
        break;
    }
    return HttpAppServer::tr("Não foi possível falar com o servidor de aplicação em %1: %2 (%3).")
        .arg(server.toDisplayString(), what, reply->errorString());
}

} // namespace

HttpAppServer::HttpAppServer(const QUrl &baseUrl, CredentialsPrompt prompt, QObject *parent)
    : QObject(parent)
    , m_baseUrl(baseUrl)
    , m_prompt(std::move(prompt))
{
}

QString HttpAppServer::LogIn(const QString &problem)
{
    QString reason = problem;
    for (;;) {
        Credentials credentials{m_user, QString()};
        if (!m_prompt || !m_prompt(credentials, reason))
            return tr("Entrada no servidor de aplicação cancelada pelo usuário.");
        m_user = credentials.user;
        const Answer answer = Post(LoginPath, contracts::http::encodeLogin({credentials.user, credentials.password}),
                                   false);
        if (answer.status == 401) {
            reason = FailureOf(answer);
            continue;
        }
        if (answer.status != 200)
            return FailureOf(answer);
        try {
            m_token = contracts::http::decodeSession(answer.body).token.toUtf8();
        } catch (const contracts::PacketError &error) {
            return tr("Resposta ilegível do servidor de aplicação: %1").arg(error.message());
        }
        if (m_token.isEmpty())
            return tr("O servidor de aplicação não forneceu a sessão.");
        return QString();
    }
}

QVariant HttpAppServer::Invoke(const QString &method, QVariantList &args)
{
    if (!LoggedIn()) {
        const QString problem = LogIn();
        if (!problem.isEmpty())
            return contracts::failResult(problem);
    }
    bool expired = false;
    QVariant result = CallOnce(method, args, expired);
    if (!expired)
        return result;
    m_token.clear();
    const QString problem = LogIn(tr("A sessão no servidor de aplicação expirou. Entre novamente."));
    if (!problem.isEmpty())
        return contracts::failResult(problem);
    result = CallOnce(method, args, expired);
    if (expired) {
        m_token.clear();
        return contracts::failResult(tr("O servidor de aplicação recusou a sessão recém-aberta."));
    }
    return result;
}

QVariant HttpAppServer::CallOnce(const QString &method, QVariantList &args, bool &expired)
{
    const QString path = CallPath + QString::fromLatin1(QUrl::toPercentEncoding(method));
    const Answer answer = Post(path, contracts::http::encodeCallRequest(args), true);
    expired = answer.status == 401;
    if (expired)
        return QVariant();
    if (answer.status != 200)
        return contracts::failResult(FailureOf(answer));
    contracts::http::CallAnswer call;
    try {
        call = contracts::http::decodeCallAnswer(answer.body);
    } catch (const contracts::PacketError &error) {
        return contracts::failResult(tr("Resposta ilegível do servidor de aplicação: %1").arg(error.message()));
    }
    if (call.args.size() != args.size())
        return contracts::failResult(tr(
            "Resposta ilegível do servidor de aplicação: %1 argumentos devolvidos para %2 enviados.")
                                         .arg(call.args.size())
                                         .arg(args.size()));
    args = call.args;
    return call.result;
}

HttpAppServer::Answer HttpAppServer::Post(const QString &path, const QByteArray &body, bool withToken)
{
    QUrl url = m_baseUrl;
    QString base = url.path();
    while (base.endsWith(QLatin1Char('/')))
        base.chop(1);
    url.setPath(base + path, QUrl::TolerantMode);
    QNetworkRequest request(url);
    request.setHeader(QNetworkRequest::ContentTypeHeader, QByteArray(contracts::http::MediaType));
    request.setRawHeader("Accept", contracts::http::MediaType);
    request.setRawHeader("Accept-Language", AcceptLanguage());
    if (withToken)
        request.setRawHeader("Authorization", "Bearer " + m_token);
    return Wait(m_network.post(request, body));
}

HttpAppServer::Answer HttpAppServer::Wait(QNetworkReply *reply)
{
    // The call is synchronous for the screen, as the in-process one is: a local loop
    // that lets the network (and the busy animation's painting) run while input waits.
    QEventLoop loop;
    QTimer limit;
    limit.setSingleShot(true);
    bool timedOut = false;
    connect(&limit, &QTimer::timeout, &loop, [&] {
        timedOut = true;
        reply->abort();
    });
    connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    limit.start(m_timeoutMs);
    if (!reply->isFinished())
        loop.exec(QEventLoop::ExcludeUserInputEvents);

    Answer answer;
    answer.status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    answer.body = reply->readAll();
    if (timedOut) {
        answer.status = 0;
        answer.failure = tr("O servidor de aplicação em %1 não respondeu em %2 segundos.")
                             .arg(m_baseUrl.toDisplayString())
                             .arg((m_timeoutMs + 999) / 1000);
    } else if (answer.status == 0) {
        answer.failure = NetworkFailure(reply, m_baseUrl);
    }
    reply->deleteLater();
    return answer;
}

QString HttpAppServer::FailureOf(const Answer &answer) const
{
    if (!answer.failure.isEmpty())
        return answer.failure;
    const QString message = contracts::http::decodeMessage(answer.body);
    if (!message.isEmpty())
        return message;
    return tr("O servidor de aplicação respondeu com o erro HTTP %1.").arg(answer.status);
}
