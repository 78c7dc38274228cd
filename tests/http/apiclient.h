#pragma once
// A client of pkg-appserver's HTTP protocol for tests, over QNetworkAccessManager: CBOR
// bodies, the bearer token, the answer's status and decoded body. Each client has its
// own access manager, so several clients are several connections.

#include <QByteArray>
#include <QCborMap>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QSslCertificate>
#include <QUrl>
#include <QVariantList>

// How long a test waits for an answer before giving up: a guard against a hung server.
constexpr int kWaitLimitMs = 120000;

struct ApiReply {
    int status = 0;             // 0: no HTTP answer at all
    QByteArray contentType;
    QByteArray contentLanguage;
    QCborMap body;
    QString networkError;

    QString message() const { return body.value(QStringLiteral("message")).toString(); }
    // The result envelope of a call answer.
    QCborMap result() const { return body.value(QStringLiteral("result")).toMap(); }
};

class ApiClient {
public:
    explicit ApiClient(const QUrl &baseUrl);

    // Trust this certificate (the server's self-signed one) for https.
    void trust(const QSslCertificate &certificate) { m_trusted = certificate; }
    // Sent as Accept-Language with every request. Portuguese unless set: without the
    // header Qt would send the machine's language, and the server answers in it.
    void setAcceptLanguage(const QByteArray &languages) { m_acceptLanguage = languages; }

    ApiReply get(const QString &path);
    QNetworkReply *startGet(const QString &path);
    // Any verb, with a body and the bearer token when given.
    ApiReply send(const QByteArray &verb, const QString &path, const QByteArray &body, const QString &token = QString());
    ApiReply post(const QString &path, const QByteArray &body, const QString &token = QString());

    // Starts a request without waiting; finish() waits for it and reads the answer.
    QNetworkReply *startPost(const QString &path, const QByteArray &body, const QString &token = QString());
    static ApiReply finish(QNetworkReply *reply, int limitMs = kWaitLimitMs);

    ApiReply login(const QString &user, const QString &password);
    // The token of a successful login; empty otherwise.
    QString token(const QString &user, const QString &password);

    static QByteArray callBody(const QVariantList &args);
    ApiReply call(const QString &method, const QVariantList &args, const QString &token);
    QNetworkReply *startCall(const QString &method, const QVariantList &args, const QString &token);

private:
    QNetworkRequest request(const QString &path, const QString &token = QString()) const;

    QUrl m_baseUrl;
    QSslCertificate m_trusted;
    QByteArray m_acceptLanguage = QByteArrayLiteral("pt-BR");
    QNetworkAccessManager m_manager;
};

// Waits until the reply finishes, at most limitMs.
bool waitFor(QNetworkReply *reply, int limitMs = kWaitLimitMs);
