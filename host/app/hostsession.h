#pragma once
// The host's data session: one SQLite file opened twice, once by the in-process
// application server (which creates it with the schema, and the sample data when the
// file is new) and
// once as the shared connection "adcGeral" from which screens read reference data.

#include <QString>
#include <memory>

namespace appserver { class LocalAppServer; }

class HostSession {
public:
    // Throws EHostError with a Portuguese message when the database cannot be opened.
    explicit HostSession(const QString &databasePath);
    ~HostSession();
    HostSession(const HostSession &) = delete;
    HostSession &operator=(const HostSession &) = delete;

    appserver::LocalAppServer *Server() const { return m_server.get(); }
    QString DatabasePath() const { return m_path; }

private:
    QString m_path;
    std::unique_ptr<appserver::LocalAppServer> m_server;
};
