#pragma once
// The CBOR bodies of the HTTP protocol of the application server (content type
// application/cbor):
//   login request   {"user": text, "password": text}
//   login answer    {"token": text, "expires": seconds}
//   call request    {"args": [...]}          (QCborValue::fromVariant of each argument)
//   call answer     {"result": <result envelope>, "args": [...]}
//   health answer   {"status": "ok", "database": "sqlite"|"postgresql", "schema": version}
//   any error       {"message": text}

#include <QByteArray>
#include <QString>
#include <QVariant>
#include <QVariantList>
#include <optional>

namespace appserver::http {

extern const QByteArray kCborContentType;   // "application/cbor"

struct Credentials {
    QString user;
    QString password;
};

// Nothing when the body is not a CBOR map with text "user" and "password".
std::optional<Credentials> parseLoginBody(const QByteArray &body);
// Nothing when the body is not a CBOR map whose "args" is an array. Null arrives as a
// null QVariant (holding nullptr), undefined as an unassigned QVariant.
std::optional<QVariantList> parseCallBody(const QByteArray &body);

QByteArray loginAnswer(const QString &token, qint64 expiresInSeconds);
QByteArray callAnswer(const QVariant &result, const QVariantList &args);
QByteArray healthAnswer(const QString &engine, int schemaVersion);
QByteArray messageAnswer(const QString &message);

} // namespace appserver::http
