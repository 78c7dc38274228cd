#pragma once
// Automation object that reaches a shared application server over HTTP. It plugs into
// the connection component exactly like the in-process server: Invoke(method, args)
// returns the result envelope and writes the arguments back, so a screen cannot tell
// the two apart.
//
// Every failure of the transport (server down, refused, slow, closed connection, an
// answer that is not the protocol's, an HTTP error) becomes a failure envelope with a
// Portuguese message; the arguments then stay as they were. Every request has a time
// limit. The session token is kept in memory only; when the server answers that it
// expired, the user is asked to log in again once and the call is repeated (a refused
// call changed nothing on the server).

#include "hostlib_export.h"

#include <QByteArray>
#include <QNetworkAccessManager>
#include <QObject>
#include <QString>
#include <QUrl>
#include <QVariant>
#include <QVariantList>

#include <functional>

class QNetworkReply;

class HOSTLIB_EXPORT HttpAppServer : public QObject {
    Q_OBJECT
public:
    struct Credentials {
        QString user;
        QString password;
    };
    // Asks the user for name and password; `problem` says why it asks again (empty the
    // first time). False when the user gives up.
    using CredentialsPrompt = std::function<bool(Credentials &credentials, const QString &problem)>;

    static constexpr int DefaultTimeoutSeconds = 600;

    HttpAppServer(const QUrl &baseUrl, CredentialsPrompt prompt, QObject *parent = nullptr);

    // Time limit of each request, in milliseconds.
    void SetTimeout(int milliseconds) { m_timeoutMs = milliseconds; }
    QUrl BaseUrl() const { return m_baseUrl; }
    bool LoggedIn() const { return !m_token.isEmpty(); }
    QString User() const { return m_user; }
    // The name offered in the first login.
    void SetUser(const QString &user) { m_user = user; }

    // Logs in, asking for credentials until the server accepts them or the user gives
    // up. Empty on success, else the reason.
    QString LogIn(const QString &problem = QString());

    Q_INVOKABLE QVariant Invoke(const QString &method, QVariantList &args);

private:
    struct Answer {
        int status = 0;          // HTTP status; 0 when no answer arrived
        QByteArray body;
        QString failure;         // transport failure, in Portuguese
    };

    Answer Post(const QString &path, const QByteArray &body, bool withToken);
    Answer Wait(QNetworkReply *reply);
    QString FailureOf(const Answer &answer) const;
    QVariant CallOnce(const QString &method, QVariantList &args, bool &expired);

    QUrl m_baseUrl;
    CredentialsPrompt m_prompt;
    QNetworkAccessManager m_network;
    int m_timeoutMs = DefaultTimeoutSeconds * 1000;
    QByteArray m_token;
    QString m_user;
};
