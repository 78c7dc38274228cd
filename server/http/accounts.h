#pragma once
// The users of the HTTP application server and their sessions, kept in the database
// (tables USUARIO and SESSAO) so that every app server on the same database knows them.
//
// Passwords are stored only as Argon2id hashes; a session token is 256 random bits handed
// to the client once and stored only as its SHA-256, looked up by that hash. Nothing here
// ever writes a password or a token to a log.

#include <QSqlDatabase>
#include <QString>
#include <optional>

namespace appserver::http {

struct Session {
    QString token;           // base64url of 32 random bytes
    qint64 expiresIn = 0;    // seconds from now
};

class Accounts {
public:
    static const int kMaxUserNameLength = 30;

    explicit Accounts(const QSqlDatabase &db);

    // Adds the user, or replaces the password of an existing one. True when the user was
    // new. Throws ServerError on a name that is empty, too long or has control characters,
    // on an empty password, or on a database error.
    bool setUser(const QString &name, const QString &password) const;

    // A new session for the user when name and password match; nothing otherwise (the
    // same for an unknown user as for a wrong password, and about as slow).
    std::optional<Session> login(const QString &name, const QString &password, qint64 lifetimeSeconds) const;

    // The user of a live session with this token; empty when the token is unknown or its
    // session expired.
    QString userForToken(const QString &token) const;

private:
    QString storedHash(const QString &name) const;
    void removeExpiredSessions(qint64 now) const;

    QSqlDatabase m_db;
};

// Throws ServerError with a Portuguese message when the name cannot be a user name.
QString checkedUserName(const QString &name);

} // namespace appserver::http
