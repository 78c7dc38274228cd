#include "sqlsupport.h"

#include "servererror.h"

#include <QSqlDriver>
#include <QSqlError>

namespace appserver {

namespace {

// What a waiting or conflicting writer means to the user, by the engine's own code:
// SQLite's busy and locked and PostgreSQL's lock time-out, serialization failure and
// deadlock (another writer held on too long), and PostgreSQL's statement_timeout (the
// request's time limit ran out). Empty for every other error.
QString contentionMessage(const QSqlError &error)
{
    const QString code = error.nativeErrorCode();
    if (code == QLatin1String("5") || code == QLatin1String("6") || code == QLatin1String("55P03")
        || code == QLatin1String("40001") || code == QLatin1String("40P01"))
        return QStringLiteral("Outro cadastramento está em andamento no banco de dados e a operação não terminou "
                              "dentro do tempo limite; nada foi alterado. Tente novamente em instantes.");
    if (code == QLatin1String("57014"))
        return QStringLiteral("O banco de dados não concluiu a operação dentro do tempo limite da requisição "
                              "(outra operação pode estar em andamento); nada foi alterado. Tente novamente.");
    return QString();
}

ServerError databaseError(const QSqlError &error)
{
    QString detail = error.text().trimmed();
    if (detail.isEmpty())
        detail = QStringLiteral("erro desconhecido");
    const QString contention = contentionMessage(error);
    if (!contention.isEmpty())
        return ServerError(QStringLiteral("%1 (detalhe: %2)").arg(contention, detail));
    return ServerError(QStringLiteral("Erro no banco de dados do servidor: %1").arg(detail));
}

void bindAll(QSqlQuery &query, const QVariantList &values)
{
    for (int i = 0; i < values.size(); ++i)
        query.bindValue(i, values.at(i));
}

// PostgreSQL: writers take one transaction-level advisory lock, the counterpart of
// SQLite's BEGIN IMMEDIATE. Two registrations (from any app server on the database) run
// one after the other, so the checks each makes still hold when it writes and the run
// numbers (MAX + 1) never collide; readers are never blocked. Released at commit or
// rollback.
const qint64 kWriteLockKey = 4702001;

void takeWriteLock(const QSqlDatabase &db)
{
    QSqlQuery lock(db);
    if (!lock.exec(QStringLiteral("SELECT pg_advisory_xact_lock(%1)").arg(kWriteLockKey)))
        throw databaseError(lock.lastError());
}

} // namespace

bool isSqlite(const QSqlDatabase &db)
{
    return db.driverName() == QLatin1String("QSQLITE");
}

QSqlQuery prepareQuery(const QSqlDatabase &db, const QString &sql)
{
    QSqlQuery query(db);
    query.setForwardOnly(true);
    if (!query.prepare(sql))
        throw databaseError(query.lastError());
    return query;
}

void execPrepared(QSqlQuery &query)
{
    if (!query.exec())
        throw databaseError(query.lastError());
}

QSqlQuery execSql(const QSqlDatabase &db, const QString &sql, const QVariantList &values)
{
    if (values.isEmpty()) {
        // Run as is: PostgreSQL cannot prepare DDL (CREATE TABLE ...), and a statement
        // without parameters gains nothing from a prepared one.
        QSqlQuery query(db);
        query.setForwardOnly(true);
        if (!query.exec(sql))
            throw databaseError(query.lastError());
        return query;
    }
    QSqlQuery query = prepareQuery(db, sql);
    bindAll(query, values);
    execPrepared(query);
    return query;
}

QVariant scalar(const QSqlDatabase &db, const QString &sql, const QVariantList &values)
{
    QSqlQuery query = execSql(db, sql, values);
    return query.next() ? query.value(0) : QVariant();
}

void execBatch(QSqlQuery &query, const QList<QVariantList> &columns)
{
    if (columns.isEmpty() || columns.first().isEmpty())
        return;
    for (const QVariantList &column : columns)
        query.addBindValue(column);
    if (!query.execBatch())
        throw databaseError(query.lastError());
}

Transaction::Transaction(const QSqlDatabase &db, Kind kind) : m_db(db)
{
    if (isSqlite(db)) {
        QSqlQuery begin(db);
        const QString sql = kind == Kind::Write ? QStringLiteral("BEGIN IMMEDIATE")
                                                : QStringLiteral("BEGIN");
        if (!begin.exec(sql))
            throw databaseError(begin.lastError());
    } else if (!m_db.transaction()) {
        throw databaseError(m_db.lastError());
    }
    m_open = true;
    if (kind == Kind::Write && !isSqlite(db)) {
        try {
            takeWriteLock(db);
        } catch (...) {
            rollback();
            throw;
        }
    }
}

Transaction::~Transaction()
{
    rollback();
}

void Transaction::commit()
{
    if (isSqlite(m_db)) {
        QSqlQuery end(m_db);
        if (!end.exec(QStringLiteral("COMMIT")))
            throw databaseError(end.lastError());
    } else if (!m_db.commit()) {
        throw databaseError(m_db.lastError());
    }
    m_open = false;
}

void Transaction::rollback() noexcept
{
    if (!m_open)
        return;
    m_open = false;
    if (isSqlite(m_db)) {
        QSqlQuery end(m_db);
        end.exec(QStringLiteral("ROLLBACK"));
    } else {
        m_db.rollback();
    }
}

} // namespace appserver
