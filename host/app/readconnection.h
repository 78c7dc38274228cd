#pragma once
// The host's own read connection "adcGeral", from which the screens read reference
// data: the SQLite file of an embedded or local server, or the shared PostgreSQL
// database of a purchasing department (a read-only role is enough).

#include <QString>

struct PostgresOptions {
    QString host = QStringLiteral("localhost");
    int port = 5432;
    QString database;
    QString user;
    QString passwordFile;     // empty: the password comes from PGPASSWORD

    bool IsSet() const { return !database.isEmpty(); }
};

namespace ReadConnection {

// Each throws EHostError with a Portuguese message when the database cannot be opened.
void OpenSqlite(const QString &path, bool readOnly);
void OpenPostgres(const PostgresOptions &options);
// Closes and removes the connection; nothing when it is not open.
void Close();

// The password for PostgreSQL: the file's first line, or PGPASSWORD.
QString PostgresPassword(const PostgresOptions &options);

} // namespace ReadConnection
