#pragma once
// Bodies of the application server's HTTP protocol, CBOR both ways. One reader and one
// writer for each, shared by the host's client and the server:
//   login request   {"user": text, "password": text}
//   login answer    {"token": text, "expires": seconds}
//   call request    {"args": [...]}                      (positional arguments)
//   call answer     {"result": <result envelope>, "args": [...]}
//   health answer   {"status": "ok", "database": "sqlite"|"postgresql", "schema": version}
//   error answer    {"message": text}
// Arguments travel as QCborValue::fromVariant gives them: a null variant as CBOR null,
// an unassigned one as undefined, so both come back as they went.

#include "datapacket.h"

#include <QByteArray>
#include <QString>
#include <QVariant>
#include <QVariantList>

namespace contracts::http {

// Media type of every body.
inline constexpr const char *MediaType = "application/cbor";

struct Login {
    QString user;
    QString password;
};

struct Session {
    QString token;
    qint64 expiresInSeconds = 0;
};

struct CallAnswer {
    QVariant result;
    QVariantList args;
};

// Readers throw PacketError with a Portuguese message for a body of another shape.
QByteArray encodeLogin(const Login &login);
Login decodeLogin(const QByteArray &body);

QByteArray encodeSession(const Session &session);
Session decodeSession(const QByteArray &body);

QByteArray encodeCallRequest(const QVariantList &args);
QVariantList decodeCallRequest(const QByteArray &body);

QByteArray encodeCallAnswer(const CallAnswer &answer);
CallAnswer decodeCallAnswer(const QByteArray &body);

struct Health {
    QString database;          // "sqlite" or "postgresql"
    int schema = 0;            // the schema version the database has
};
QByteArray encodeHealth(const Health &health);

QByteArray encodeMessage(const QString &message);
// The message of an error answer; empty when the body carries none.
QString decodeMessage(const QByteArray &body);

} // namespace contracts::http
