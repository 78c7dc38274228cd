#include "databaseconfig.h"

#include "sqlsupport.h"

namespace appserver::http {

QString DatabaseConfig::engineName() const
{
    return engine == Engine::Postgres ? QStringLiteral("postgresql") : QStringLiteral("sqlite");
}

QString DatabaseConfig::description() const
{
    if (engine == Engine::Sqlite)
        return QStringLiteral("SQLite \"%1\"").arg(sqlitePath);
    return QStringLiteral("PostgreSQL \"%1\" em %2:%3").arg(postgres.database, postgres.host).arg(postgres.port);
}

QSqlDatabase openDatabase(const DatabaseConfig &config, const QString &connectionName)
{
    if (config.engine == DatabaseConfig::Engine::Sqlite) {
        QSqlDatabase db = ServerDatabase::openSqlite(config.sqlitePath, connectionName);
        execSql(db, QStringLiteral("PRAGMA busy_timeout = %1").arg(config.statementTimeoutMs));
        return db;
    }
    QSqlDatabase db = ServerDatabase::openPostgres(config.postgres, connectionName);
    execSql(db, QStringLiteral("SET statement_timeout = %1").arg(config.statementTimeoutMs));
    return db;
}

} // namespace appserver::http
