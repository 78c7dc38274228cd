#include "registrationrun.h"

#include "sqlsupport.h"

namespace appserver {

namespace {

SqlCondition currentScopePairs(const QSqlDatabase &db)
{
    return scopePairsCondition(db, {QStringLiteral("SELECT t.CDFORNECED FROM TMPESCFORN t"), {}},
                               {QStringLiteral("SELECT b.CDFILIAL FROM TMPESCFIL b"), {}});
}

// The time every pair of a run gets. PostgreSQL's CURRENT_TIMESTAMP already is one value
// for the whole run: the start of its transaction. SQLite reads it anew for each
// statement, so the replaced and the inserted pairs of one run could get different
// seconds; there the run reads it once, as the same text CURRENT_TIMESTAMP gives, and
// binds it to both statements.
RunTime readRunTime(const QSqlDatabase &db)
{
    if (!isSqlite(db))
        return {QStringLiteral("CURRENT_TIMESTAMP"), {}};
    return {QStringLiteral("?"), {scalar(db, QStringLiteral("SELECT CURRENT_TIMESTAMP"))}};
}

} // namespace

qint64 RegistrationRun::nextNumber(const QSqlDatabase &db)
{
    return scalar(db, QStringLiteral("SELECT COALESCE(MAX(NRLOGCADAUTO), 0) + 1 FROM LOGCADAUTO")).toLongLong();
}

RegistrationRun::RegistrationRun(const QSqlDatabase &db, qint64 number)
    : m_db(db), m_number(number), m_time(readRunTime(db))
{
}

WrittenPairs RegistrationRun::writePairs(const PairValues &values, qint64 scopePairs) const
{
    recordScope();
    // Existing pairs first: their old values go to the history, then one UPDATE gives
    // them the new ones; the pairs still missing are inserted after. Two plain
    // statements cost less than one upsert, which tests every pair for a conflict.
    const SqlCondition existing = currentScopePairs(m_db);
    keepReplacedValues(existing);
    WrittenPairs written;
    written.replaced = replaceExisting(existing, values);
    if (written.replaced < scopePairs)
        written.inserted = insertMissing(values);
    return written;
}

void RegistrationRun::recordScope() const
{
    execSql(m_db, QStringLiteral("INSERT INTO LOGCADAUTOFORN (NRLOGCADAUTO, CDFORNECED)"
                                 " SELECT CAST(? AS INTEGER), t.CDFORNECED FROM TMPESCFORN t"),
            {m_number});
    execSql(m_db, QStringLiteral("INSERT INTO LOGCADAUTOFIL (NRLOGCADAUTO, CDFILIAL)"
                                 " SELECT CAST(? AS INTEGER), b.CDFILIAL FROM TMPESCFIL b"),
            {m_number});
}

void RegistrationRun::keepReplacedValues(const SqlCondition &existing) const
{
    execSql(m_db, QStringLiteral(
        "INSERT INTO LOGCADAUTOSUBST (NRLOGCADAUTO, CDFORNECED, CDFILIAL, CDPERIENTR, QTDIASPRAZEXPED,"
        "                             DTULTALTER, NMUSUULTALTER, NRLOGCADAUTOANT)"
        " SELECT CAST(? AS INTEGER), CDFORNECED, CDFILIAL, CDPERIENTR, QTDIASPRAZEXPED, DTULTALTER,"
        "        NMUSUULTALTER, NRLOGCADAUTO"
        " FROM FORNATENDE") + existing.where(),
        QVariantList{m_number} + existing.values);
}

qint64 RegistrationRun::replaceExisting(const SqlCondition &existing, const PairValues &values) const
{
    return execSql(m_db, QStringLiteral(
        "UPDATE FORNATENDE SET CDPERIENTR = ?, QTDIASPRAZEXPED = ?, DTULTALTER = %1,"
        " NMUSUULTALTER = ?, NRLOGCADAUTO = ?").arg(m_time.sql) + existing.where(),
        QVariantList{values.periodicity, values.leadTime} + m_time.values
            + QVariantList{values.author, m_number} + existing.values)
        .numRowsAffected();
}

qint64 RegistrationRun::insertMissing(const PairValues &values) const
{
    // Every pair of the scope that the UPDATE did not find. "WHERE 1 = 1" keeps SQLite
    // from reading ON CONFLICT as a join's ON.
    return execSql(m_db, QStringLiteral(
        "INSERT INTO FORNATENDE (CDFORNECED, CDFILIAL, CDPERIENTR, QTDIASPRAZEXPED, DTULTALTER, NMUSUULTALTER,"
        "                        NRLOGCADAUTO)"
        " SELECT t.CDFORNECED, b.CDFILIAL, CAST(? AS VARCHAR(2)), CAST(? AS INTEGER), %1,"
        "        CAST(? AS VARCHAR(30)), CAST(? AS INTEGER)"
        " FROM TMPESCFORN t CROSS JOIN TMPESCFIL b"
        " WHERE 1 = 1"
        " ON CONFLICT (CDFORNECED, CDFILIAL) DO NOTHING").arg(m_time.sql),
        QVariantList{values.periodicity, values.leadTime} + m_time.values + QVariantList{values.author, m_number})
        .numRowsAffected();
}

} // namespace appserver
