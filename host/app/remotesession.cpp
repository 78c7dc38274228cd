#include "remotesession.h"

#include "frmlogin.h"
#include "runtime/errors.h"
#include "server/httpappserver.h"

#include <QCoreApplication>
#include <QFileInfo>

RemoteSession::RemoteSession(const Options &options)
{
    if (!options.server.isValid() || !(options.server.scheme() == QLatin1String("http")
                                       || options.server.scheme() == QLatin1String("https")))
        throw EHostError(QCoreApplication::translate(
                             "RemoteSession", "Endereço de servidor inválido: \"%1\" (use http://… ou https://…).")
                             .arg(options.server.toString()));
    if (options.postgres.IsSet()) {
        ReadConnection::OpenPostgres(options.postgres);
        m_description = QCoreApplication::translate("RemoteSession", "PostgreSQL %1 em %2")
                            .arg(options.postgres.database, options.postgres.host);
    } else {
        // The file belongs to the server: the host only reads it and never creates it.
        if (!QFileInfo::exists(options.sqliteFile))
            throw EHostError(QCoreApplication::translate("RemoteSession",
                                                         "O banco de dados \"%1\" não existe. Com --server, informe o "
                                                         "banco do servidor (--database ou --pg-database).")
                                 .arg(options.sqliteFile));
        ReadConnection::OpenSqlite(options.sqliteFile, true);
        m_description = options.sqliteFile;
    }
    m_server = std::make_unique<HttpAppServer>(options.server, TfrmLogin::Prompt(options.server.toDisplayString()));
    m_server->SetUser(options.user);
    m_server->SetTimeout(options.timeoutSeconds * 1000);
}

RemoteSession::~RemoteSession()
{
    m_server.reset();
    ReadConnection::Close();
}
