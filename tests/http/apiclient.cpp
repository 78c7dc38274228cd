#include "apiclient.h"

#include <QCborArray>
#include <QCborValue>
#include <QEventLoop>
#include <QNetworkProxy>
#include <QSslConfiguration>
#include <QTimer>

bool waitFor(QNetworkReply *reply, int limitMs)
{
    if (reply->isFinished())
        return true;
    QEventLoop loop;
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    QObject::connect(&guard, &QTimer::timeout, &loop, &QEventLoop::quit);
    guard.start(limitMs);
    loop.exec();
    return reply->isFinished();
}

ApiClient::ApiClient(const QUrl &baseUrl) : m_baseUrl(baseUrl)
{
    m_manager.setProxy(QNetworkProxy::NoProxy);   // loopback only, whatever the environment says
}

QNetworkRequest ApiClient::request(const QString &path, const QString &token) const
{
    QNetworkRequest request(m_baseUrl.resolved(QUrl(path)));
    request.setHeader(QNetworkRequest::ContentTypeHeader, QByteArrayLiteral("application/cbor"));
    if (!token.isEmpty())
        request.setRawHeader("Authorization", "Bearer " + token.toLatin1());
    request.setRawHeader("Accept-Language", m_acceptLanguage);
    if (!m_trusted.isNull()) {
        QSslConfiguration ssl = QSslConfiguration::defaultConfiguration();
        ssl.setCaCertificates({m_trusted});
        request.setSslConfiguration(ssl);
    }
    return request;
}

ApiReply ApiClient::finish(QNetworkReply *reply, int limitMs)
{
    ApiReply answer;
    if (!waitFor(reply, limitMs)) {
        answer.networkError = QStringLiteral("sem resposta");
        reply->abort();
    }
    answer.status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    answer.contentType = reply->header(QNetworkRequest::ContentTypeHeader).toByteArray();
    answer.contentLanguage = reply->rawHeader("Content-Language");
    answer.body = QCborValue::fromCbor(reply->readAll()).toMap();
    if (reply->error() != QNetworkReply::NoError && answer.status == 0)
        answer.networkError = reply->errorString();
    reply->deleteLater();
    return answer;
}

QNetworkReply *ApiClient::startGet(const QString &path)
{
    return m_manager.get(request(path));
}

ApiReply ApiClient::get(const QString &path)
{
    return finish(startGet(path));
}

ApiReply ApiClient::send(const QByteArray &verb, const QString &path, const QByteArray &body, const QString &token)
{
    return finish(m_manager.sendCustomRequest(request(path, token), verb, body));
}

QNetworkReply *ApiClient::startPost(const QString &path, const QByteArray &body, const QString &token)
{
    return m_manager.post(request(path, token), body);
}

ApiReply ApiClient::post(const QString &path, const QByteArray &body, const QString &token)
{
    return finish(startPost(path, body, token));
}

ApiReply ApiClient::login(const QString &user, const QString &password)
{
    QCborMap credentials;
    credentials.insert(QStringLiteral("user"), user);
    credentials.insert(QStringLiteral("password"), password);
    return post(QStringLiteral("/api/v1/login"), credentials.toCborValue().toCbor());
}

QString ApiClient::token(const QString &user, const QString &password)
{
    return login(user, password).body.value(QStringLiteral("token")).toString();
}

QByteArray ApiClient::callBody(const QVariantList &args)
{
    QCborArray array;
    for (const QVariant &arg : args)
        array.append(QCborValue::fromVariant(arg));
    QCborMap body;
    body.insert(QStringLiteral("args"), array);
    return body.toCborValue().toCbor();
}

QNetworkReply *ApiClient::startCall(const QString &method, const QVariantList &args, const QString &token)
{
    return startPost(QStringLiteral("/api/v1/call/") + method, callBody(args), token);
}

ApiReply ApiClient::call(const QString &method, const QVariantList &args, const QString &token)
{
    return finish(startCall(method, args, token));
}
