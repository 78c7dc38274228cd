#pragma once
// Opens the application server's database and brings its schema up to date; loads the
// sample data on request.
//
// The schema versions are SQL files compiled into the library as resources.
// SCHEMAVERSAO records which versions a database has; opening applies the missing ones
// in order, each in its own transaction. A new version is a new file at the end of the
// list in serverdatabase.cpp (and in appserver.qrc). The sample data is no schema
// version: a new database gets no rows until loadSampleData is called.

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
    // versions the database lacks. Throws ServerError with a Portuguese message.
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

    // Loads the sample data (a purchasing chain to try the screens on) in one write
    // transaction, into a database whose schema is up to date and whose tables the
    // sample data fills are all empty. True when it loaded them; false, changing
    // nothing, when any of those tables already has rows (the sample data loaded
    // before, or data of the user's own). Throws ServerError.
    static bool loadSampleData(const QSqlDatabase &db);
};

} // namespace appserver
