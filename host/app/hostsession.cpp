#include "hostsession.h"

#include "runtime/errors.h"
#include "localappserver.h"
#include "serverdatabase.h"
#include "servererror.h"
#include "data/tadoibquery.h"

#include <QDir>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>

namespace {

void openSharedConnection(const QString &path)
{
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"),
                                                QString::fromLatin1(TADOIBQuery::ConnectionName));
    db.setDatabaseName(path);
    db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=5000"));
    if (!db.open())
        throw EHostError(QStringLiteral("Não foi possível abrir o banco de dados \"%1\": %2")
                             .arg(path, db.lastError().text()));
}

} // namespace

HostSession::HostSession(const QString &databasePath)
    : m_path(QFileInfo(databasePath).absoluteFilePath())
{
    if (!QDir().mkpath(QFileInfo(m_path).absolutePath()))
        throw EHostError(QStringLiteral("Não foi possível criar a pasta do banco de dados \"%1\".")
                             .arg(QFileInfo(m_path).absolutePath()));
    const QString serverConnection = QString::fromLatin1(appserver::LocalAppServer::DefaultConnectionName);
    // A file made here (absent or empty until now) is the embedded demonstration
    // database: it gets the sample data. An existing database never does.
    const bool newFile = QFileInfo(m_path).size() == 0;
    try {
        const QSqlDatabase db = appserver::ServerDatabase::openSqlite(m_path, serverConnection);
        if (newFile)
            appserver::ServerDatabase::loadSampleData(db);
    } catch (const appserver::ServerError &e) {
        appserver::ServerDatabase::close(serverConnection);
        throw EHostError(e.message());
    }
    openSharedConnection(m_path);
    m_server = std::make_unique<appserver::LocalAppServer>(serverConnection);
}

HostSession::~HostSession()
{
    m_server.reset();
    appserver::ServerDatabase::close(QString::fromLatin1(appserver::LocalAppServer::DefaultConnectionName));
    const QString shared = QString::fromLatin1(TADOIBQuery::ConnectionName);
    if (QSqlDatabase::contains(shared)) {
        QSqlDatabase::database(shared, false).close();
        QSqlDatabase::removeDatabase(shared);
    }
}
