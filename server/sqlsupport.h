#pragma once
// Small helpers over QSqlQuery that turn every database failure into a ServerError, and
// the transactions the server methods run in.

#include "servererror.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QVariant>
#include <QVariantList>

namespace appserver {

bool isSqlite(const QSqlDatabase &db);

// Whether the connection no longer reaches its database: PostgreSQL ended the session
// or went away. Asked after a failure, once the transaction is over; a SQLite file is
// never lost this way.
bool connectionLost(const QSqlDatabase &db);
// The failure of a call that lost its connection half-way, with the cause as detail.
ServerError lostConnectionError(const ServerError &cause);

// Prepares the statement; throws ServerError when the database rejects it.
QSqlQuery prepareQuery(const QSqlDatabase &db, const QString &sql);
// Runs a prepared statement; throws ServerError on failure.
void execPrepared(QSqlQuery &query);
// Prepares, binds the values in order (positional '?') and runs.
QSqlQuery execSql(const QSqlDatabase &db, const QString &sql, const QVariantList &values = {});
// Runs a query that yields one value (a count, an existence test); null when no row.
QVariant scalar(const QSqlDatabase &db, const QString &sql, const QVariantList &values = {});
// Runs the prepared statement once per row of the bound columns (one column list per
// placeholder, all of the same length): one prepared statement, many rows.
void execBatch(QSqlQuery &query, const QList<QVariantList> &columns);

// A transaction that rolls back unless committed. A write transaction takes the
// database's write lock at once (BEGIN IMMEDIATE on SQLite), so that the checks made
// inside it still hold when the writes run; on PostgreSQL it takes a transaction-level
// advisory lock, so that write transactions run one after the other there too.
class Transaction {
public:
    enum class Kind { Read, Write };
    Transaction(const QSqlDatabase &db, Kind kind);
    ~Transaction();
    Transaction(const Transaction &) = delete;
    Transaction &operator=(const Transaction &) = delete;
    void commit();

private:
    void rollback() noexcept;
    QSqlDatabase m_db;
    bool m_open = false;
};

} // namespace appserver
