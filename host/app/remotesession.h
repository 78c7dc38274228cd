#pragma once
// The host's session with a shared application server: the HTTP automation object that
// the connection component hands to the screens, and the host's own read connection
// to the same data (PostgreSQL, or the SQLite file of a server on this machine).

#include "readconnection.h"

#include <QString>
#include <QUrl>
#include <memory>

class HttpAppServer;

class RemoteSession {
public:
    struct Options {
        QUrl server;
        QString user;                  // pre-filled in the login dialog
        int timeoutSeconds = 600;      // time limit of each request
        QString sqliteFile;            // read connection when postgres is not set
        PostgresOptions postgres;
    };

    // Opens the read connection. Throws EHostError with a Portuguese message.
    explicit RemoteSession(const Options &options);
    ~RemoteSession();
    RemoteSession(const RemoteSession &) = delete;
    RemoteSession &operator=(const RemoteSession &) = delete;

    HttpAppServer *Server() const { return m_server.get(); }
    // What the status bar says about the data.
    QString Description() const { return m_description; }

private:
    std::unique_ptr<HttpAppServer> m_server;
    QString m_description;
};
