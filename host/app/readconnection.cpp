#include "readconnection.h"

#include "data/tadoibquery.h"
#include "runtime/errors.h"

#include <QCoreApplication>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlError>

#include <functional>

namespace ReadConnection {

namespace {

QString Name()
{
    return QString::fromLatin1(TADOIBQuery::ConnectionName);
}

// Adds the connection with the driver, lets `configure` set it up and opens it; on a
// failure the connection is removed again (after the last handle to it is gone).
void Open(const QString &driver, const std::function<void(QSqlDatabase &)> &configure, const QString &what)
{
    QString detail;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(driver, Name());
        configure(db);
        if (db.open())
            return;
        detail = db.lastError().text();
    }
    QSqlDatabase::removeDatabase(Name());
    throw EHostError(QCoreApplication::translate("ReadConnection", "Não foi possível abrir o banco de dados %1: %2")
                         .arg(what, detail));
}

} // namespace

void OpenSqlite(const QString &path, bool readOnly)
{
    Open(QStringLiteral("QSQLITE"), [&](QSqlDatabase &db) {
        db.setDatabaseName(path);
        db.setConnectOptions(readOnly ? QStringLiteral("QSQLITE_OPEN_READONLY;QSQLITE_BUSY_TIMEOUT=5000")
                                      : QStringLiteral("QSQLITE_BUSY_TIMEOUT=5000"));
    }, QStringLiteral("\"%1\"").arg(path));
}

void OpenPostgres(const PostgresOptions &options)
{
    const QString password = PostgresPassword(options);
    Open(QStringLiteral("QPSQL"), [&](QSqlDatabase &db) {
        db.setHostName(options.host);
        db.setPort(options.port);
        db.setDatabaseName(options.database);
        db.setUserName(options.user);
        db.setPassword(password);
        db.setConnectOptions(QStringLiteral("connect_timeout=10"));
    }, QCoreApplication::translate("ReadConnection", "PostgreSQL \"%1\" em %2:%3")
           .arg(options.database, options.host).arg(options.port));
}

void Close()
{
    if (!QSqlDatabase::contains(Name()))
        return;
    QSqlDatabase::database(Name(), false).close();
    QSqlDatabase::removeDatabase(Name());
}

QString PostgresPassword(const PostgresOptions &options)
{
    if (options.passwordFile.isEmpty())
        return qEnvironmentVariable("PGPASSWORD");
    QFile file(options.passwordFile);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        throw EHostError(QCoreApplication::translate("ReadConnection",
                                                     "Não foi possível ler o arquivo de senha \"%1\": %2")
                             .arg(options.passwordFile, file.errorString()));
    return QString::fromUtf8(file.readLine()).trimmed();
}

} // namespace ReadConnection
