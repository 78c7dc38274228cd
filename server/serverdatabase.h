#pragma once
// Opens the application server's database and brings its schema up to date.
//
// The schema and the sample data are versioned SQL files compiled into the library as
// resources. SCHEMAVERSAO records which versions a database has; opening applies the
// missing ones in order, each in its own transaction. A new version is a new file at
// the end of the list in serverdatabase.cpp (and in appserver.qrc).

#include <QSqlDatabase>
#include <QString>

namespace appserver {

struct PostgresSettings {
    QString host = QStringLiteral("localhost");
    int port = 5432;
    QString database;
    QString user;
    QString password;
};

class ServerDatabase {
public:
    // Opens (creating when absent) the SQLite file under the given connection name, with
    // foreign keys on, WAL journal and a busy timeout so that other connections (the
    // host's "adcGeral") can read the same file at the same time. Applies the schema
    // and sample data to an empty database. Throws ServerError with a Portuguese message.
    static QSqlDatabase openSqlite(const QString &path, const QString &connectionName);

    // Opens a PostgreSQL connection and applies the same schema files.
    static QSqlDatabase openPostgres(const PostgresSettings &settings, const QString &connectionName);

    // Closes and removes the connection (no-op when it does not exist).
    static void close(const QString &connectionName);

    // Applies the versions the database lacks. Refuses a database that has tables but
    // no version record: it was not created by this server.
    static void applySchema(const QSqlDatabase &db);

    static int schemaVersion(const QSqlDatabase &db);   // 0 when none applied
    static int latestSchemaVersion();
};

} // namespace appserver
