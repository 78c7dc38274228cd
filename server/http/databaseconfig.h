#pragma once
// Which database the HTTP application server works on, and how one connection to it is
// opened: SQLite (a file) or PostgreSQL, with the per-statement time limit of a request.

#include "serverdatabase.h"

#include <QSqlDatabase>
#include <QString>

namespace appserver::http {

struct DatabaseConfig {
    enum class Engine { Sqlite, Postgres };
    Engine engine = Engine::Sqlite;
    QString sqlitePath;
    PostgresSettings postgres;
    // Longest a statement may run (PostgreSQL statement_timeout) or wait for a lock
    // (SQLite busy timeout) before the request fails with a clear message.
    // Ten minutes by default, as long as the host waits for an answer: a registration of
    // ten million pairs is one statement of about a minute, and must not be cut.
    int statementTimeoutMs = 600000;

    // "sqlite" or "postgresql", as the health answer names the engine.
    QString engineName() const;
    // Where the database is, for messages: the file, or database and host.
    QString description() const;
};

// Opens a connection under the given name, brings the schema up to date and applies the
// time limit. Throws ServerError with a Portuguese message.
QSqlDatabase openDatabase(const DatabaseConfig &config, const QString &connectionName);

} // namespace appserver::http
