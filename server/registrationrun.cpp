#include "registrationrun.h"

#include "sqlsupport.h"

namespace appserver {

namespace {

SqlCondition currentScopePairs(const QSqlDatabase &db)
{
    return scopePairsCondition(db, {QStringLiteral("SELECT t.CDFORNECED FROM TMPESCFORN t"), {}},
                               {QStringLiteral("SELECT b.CDFILIAL FROM TMPESCFIL b"), {}});
}

} // namespace

RegistrationRun::RegistrationRun(const QSqlDatabase &db) : m_db(db)
{
}

WrittenPairs RegistrationRun::writePairs(const PairValues &values, qint64 scopePairs) const
{
    // Existing pairs first, with one UPDATE; the pairs still missing are inserted after.
    // Two plain statements cost less than one upsert, which tests every pair for a
    // conflict.
    WrittenPairs written;
    written.replaced = replaceExisting(currentScopePairs(m_db), values);
    if (written.replaced < scopePairs)
        written.inserted = insertMissing(values);
    return written;
}

qint64 RegistrationRun::replaceExisting(const SqlCondition &existing, const PairValues &values) const
{
    return execSql(m_db, QStringLiteral(
        "UPDATE FORNATENDE SET CDPERIENTR = ?, QTDIASPRAZEXPED = ?, DTULTALTER = CURRENT_TIMESTAMP,"
        " NMUSUULTALTER = ?") + existing.where(),
        QVariantList{values.periodicity, values.leadTime, values.author} + existing.values)
        .numRowsAffected();
}

qint64 RegistrationRun::insertMissing(const PairValues &values) const
{
    // Every pair of the scope that the UPDATE did not find. "WHERE 1 = 1" keeps SQLite
    // from reading ON CONFLICT as a join's ON.
    return execSql(m_db, QStringLiteral(
        "INSERT INTO FORNATENDE (CDFORNECED, CDFILIAL, CDPERIENTR, QTDIASPRAZEXPED, DTULTALTER, NMUSUULTALTER)"
        " SELECT t.CDFORNECED, b.CDFILIAL, CAST(? AS VARCHAR(2)), CAST(? AS INTEGER), CURRENT_TIMESTAMP,"
        "        CAST(? AS VARCHAR(30))"
        " FROM TMPESCFORN t CROSS JOIN TMPESCFIL b"
        " WHERE 1 = 1"
        " ON CONFLICT (CDFORNECED, CDFILIAL) DO NOTHING"),
        {values.periodicity, values.leadTime, values.author})
        .numRowsAffected();
}

} // namespace appserver
