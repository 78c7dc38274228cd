#include "hostsession.h"

#include "runtime/errors.h"
#include "localappserver.h"
#include "serverdatabase.h"
#include "servererror.h"
#include "readconnection.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSqlDatabase>

HostSession::HostSession(const QString &databasePath)
    : m_path(QFileInfo(databasePath).absoluteFilePath())
{
    if (!QDir().mkpath(QFileInfo(m_path).absolutePath()))
        throw EHostError(QCoreApplication::translate("HostSession",
                                                     "Não foi possível criar a pasta do banco de dados \"%1\".")
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
    ReadConnection::OpenSqlite(m_path, false);
    m_server = std::make_unique<appserver::LocalAppServer>(serverConnection);
}

HostSession::~HostSession()
{
    m_server.reset();
    appserver::ServerDatabase::close(QString::fromLatin1(appserver::LocalAppServer::DefaultConnectionName));
    ReadConnection::Close();
}
