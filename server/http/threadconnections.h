#pragma once
// One database connection per worker thread. Qt SQL connections belong to the thread
// that opened them, so each worker opens its own, lazily, under a name of its own, and
// keeps it for the next request. A connection that broke (the database restarted, the
// network dropped) is noticed before the next request runs and opened again.
//
// The connections are closed when their threads end; destroy the thread pool before this
// object.

#include "databaseconfig.h"

#include <QSqlDatabase>
#include <QThreadStorage>
#include <atomic>

namespace appserver::http {

class ThreadConnections {
public:
    explicit ThreadConnections(const DatabaseConfig &config);
    ThreadConnections(const ThreadConnections &) = delete;
    ThreadConnections &operator=(const ThreadConnections &) = delete;

    // The calling thread's open connection, opened or reopened when needed. Throws
    // ServerError when the database cannot be reached.
    QSqlDatabase current();

    const DatabaseConfig &config() const { return m_config; }

private:
    class Holder;
    DatabaseConfig m_config;
    QThreadStorage<Holder *> m_holders;
    std::atomic<int> m_nextNumber{1};
};

} // namespace appserver::http
