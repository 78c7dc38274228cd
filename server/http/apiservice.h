#pragma once
// What each request of the HTTP protocol does with the database. Runs on the worker
// threads, each on its own thread's connection; never on the thread that accepts
// connections. Every answer is complete (status and CBOR body); nothing is thrown.

#include "threadconnections.h"

#include <QByteArray>
#include <QMutex>
#include <QString>

namespace appserver::http {

struct ApiAnswer {
    int status = 200;
    QByteArray body;
    QString user;              // the logged-in user, for the request log; empty when none
    bool failedLogin = false;  // answered late, to slow down password guessing
};

class ApiService {
public:
    ApiService(ThreadConnections &connections, qint64 sessionLifetimeSeconds);

    // POST /api/v1/login
    ApiAnswer login(const QByteArray &body) const;
    // POST /api/v1/call/<method> with the bearer token (already known to be present).
    // The method runs through the same automation object as in-process, with the
    // session's user as the author of what it writes.
    ApiAnswer call(const QString &method, const QString &token, const QByteArray &body) const;
    // GET /api/v1/health
    ApiAnswer health() const;

private:
    QVariant invokeInTurn(const QSqlDatabase &db, const QString &method, const QString &user,
                          QVariantList &args) const;

    ThreadConnections &m_connections;
    // On SQLite the writing calls of this server wait here for one another, so that a
    // long registration makes the next one queue instead of running out the busy
    // timeout on the database's write lock. PostgreSQL's advisory lock queues them.
    mutable QMutex m_sqliteWriters;
    qint64 m_sessionLifetimeSeconds;
};

ApiAnswer errorAnswer(int status, const QString &message);

} // namespace appserver::http
