#include "sqlsupport.h"

#include "servererror.h"

#include <QSqlDriver>
#include <QSqlError>
#include <QStringList>

namespace appserver {

namespace {

// A call whose PostgreSQL connection broke half-way: the database rolls back what the
// call had not committed.
const char *const kLostConnection = QT_TRANSLATE_NOOP(
    "appserver", "A conexão com o banco de dados caiu durante a operação (o banco de dados foi reiniciado "
                 "ou encerrou a sessão); a operação não foi concluída e nada foi alterado. Tente novamente.");

// What a database failure means to the user, by the engine's own code: SQLite's result
// code or PostgreSQL's SQLSTATE. Every one of these leaves the transaction rolled back
// (SQLite and PostgreSQL undo a statement that failed, and the server's transaction
// then rolls back), so each message can say that nothing changed.
struct KnownFailure {
    QStringList codes;     // exact codes; a code ending in '*' stands for its class
    const char *message;   // the source text, translated when the failure is reported
};

const QList<KnownFailure> &knownFailures()
{
    static const QList<KnownFailure> failures = {
        // SQLite busy and locked; PostgreSQL lock time-out, serialization failure, deadlock:
        // another writer held on too long.
        {{"5", "6", "55P03", "40001", "40P01"},
         QT_TRANSLATE_NOOP("appserver",
                           "Outro cadastramento está em andamento no banco de dados e a operação não terminou "
                           "dentro do tempo limite; nada foi alterado. Tente novamente em instantes.")},
        // PostgreSQL statement_timeout: the request's time limit ran out.
        {{"57014"},
         QT_TRANSLATE_NOOP("appserver",
                           "O banco de dados não concluiu a operação dentro do tempo limite da requisição "
                           "(outra operação pode estar em andamento); nada foi alterado. Tente novamente.")},
        // SQLite full (disk, or the database's page limit); PostgreSQL disk full.
        {{"13", "53100"},
         QT_TRANSLATE_NOOP("appserver",
                           "O banco de dados do servidor ficou sem espaço (disco ou banco de dados cheio) durante a "
                           "operação; nada foi alterado. Libere espaço no servidor e tente novamente.")},
        // SQLite read-only file; PostgreSQL read-only transaction (a standby).
        {{"8", "25006"},
         QT_TRANSLATE_NOOP("appserver",
                           "O banco de dados do servidor está somente leitura (sem permissão de gravação); nada foi "
                           "alterado. Verifique as permissões do arquivo ou do banco de dados.")},
        // SQLite corrupt page or not a database; PostgreSQL data or index corrupted.
        {{"11", "26", "XX001", "XX002"},
         QT_TRANSLATE_NOOP("appserver",
                           "O banco de dados do servidor está corrompido; nada foi alterado. Restaure-o a partir de "
                           "uma cópia de segurança.")},
        // SQLite read or write error of the disk.
        {{"10"},
         QT_TRANSLATE_NOOP("appserver",
                           "Erro de leitura ou gravação no disco do banco de dados do servidor; nada foi alterado.")},
        // PostgreSQL connection failures (class 08) and a server that ended the session
        // (terminated, shut down, restarting).
        {{"08*", "57P01", "57P02", "57P03"}, kLostConnection},
    };
    return failures;
}

bool codeMatches(const QString &code, const QString &pattern)
{
    if (pattern.endsWith(QLatin1Char('*')))
        return code.startsWith(QStringView(pattern).chopped(1));
    return code == pattern;
}

QString knownFailureMessage(const QSqlError &error)
{
    const QString code = error.nativeErrorCode();
    if (code.isEmpty())
        return QString();
    for (const KnownFailure &failure : knownFailures())
        for (const QString &pattern : failure.codes)
            if (codeMatches(code, pattern))
                return ServerTexts::tr(failure.message);
    return QString();
}

ServerError databaseError(const QSqlError &error)
{
    QString detail = error.text().trimmed();
    if (detail.isEmpty())
        detail = ServerTexts::tr("erro desconhecido");
    const QString known = knownFailureMessage(error);
    if (!known.isEmpty())
        return ServerError(ServerTexts::tr("%1 (detalhe: %2)").arg(known, detail));
    return ServerError(ServerTexts::tr("Erro no banco de dados do servidor: %1").arg(detail));
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

bool connectionLost(const QSqlDatabase &db)
{
    if (isSqlite(db))
        return false;
    if (!db.isOpen())
        return true;   // the driver closed it on finding the connection broken
    QSqlQuery probe(db);
    if (probe.exec(QStringLiteral("SELECT 1")))
        return false;
    // The server's own refusal carries its SQLSTATE; a connection that is gone gives
    // none, or one of the connection classes.
    const QString code = probe.lastError().nativeErrorCode();
    return code.isEmpty() || code.startsWith(QLatin1String("08")) || code.startsWith(QLatin1String("57P0"));
}

ServerError lostConnectionError(const ServerError &cause)
{
    if (cause.message().startsWith(ServerTexts::tr(kLostConnection)))
        return cause;   // the driver named the loss already
    return ServerError(ServerTexts::tr("%1 (detalhe: %2)").arg(ServerTexts::tr(kLostConnection), cause.message()));
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
