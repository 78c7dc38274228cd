#pragma once
// The command line of pkg-appserver, with its help in Portuguese.

#include "databaseconfig.h"
#include "httpfront.h"

#include <QHostAddress>
#include <QString>
#include <QStringList>

namespace appserver::http {

struct ServerOptions {
    bool helpRequested = false;
    DatabaseConfig database;
    FrontSettings front;
    QHostAddress address = QHostAddress::LocalHost;
    quint16 port = 7402;
    QString tlsCertificate;
    QString tlsKey;
    bool allowPlainHttp = false;
    QString userToAdd;       // --add-user: add this user and exit
    bool sampleData = false;

    bool usesTls() const { return !tlsCertificate.isEmpty(); }
    // "http(s)://address:port"
    QString url(quint16 boundPort) const;
};

// Parses the arguments (the program name first). Throws ServerError with a Portuguese
// message naming the wrong option. The PostgreSQL password comes from the environment
// (PGPASSWORD) or from the file given by --pg-password-file, never from the command line.
ServerOptions parseServerOptions(const QStringList &arguments);

// The help text, in Portuguese.
QString serverHelpText();

} // namespace appserver::http
