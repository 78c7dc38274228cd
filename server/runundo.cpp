#include "runundo.h"

#include "pairscope.h"
#include "servererror.h"
#include "sqlsupport.h"

#include <QDateTime>
#include <QStringList>

#include <map>

namespace appserver {

namespace {

// Later runs named one by one in a refusal; past them the rest are summed up.
const int kNamedLaterRuns = 5;

QString pairCount(qint64 count)
{
    return count == 1 ? ServerTexts::tr("1 par") : ServerTexts::tr("%1 pares").arg(count);
}

// "120 pares foram alterados" / "1 par foi alterado", the participle agreeing.
QString pairsWere(qint64 count, const QString &singular, const QString &plural)
{
    return count == 1 ? ServerTexts::tr("1 par foi %1").arg(singular)
                      : ServerTexts::tr("%1 pares foram %2").arg(count).arg(plural);
}

// The later runs that hold pairs of the run, most recent first: "pela execução 5", or
// "pelas execuções 7 (30 pares) e 5 (120 pares)".
QString byLaterRuns(const std::map<qint64, qint64> &pairsByRun)
{
    if (pairsByRun.size() == 1)
        return ServerTexts::tr("pela execução %1").arg(pairsByRun.begin()->first);
    QStringList named;
    qint64 othersPairs = 0;
    int others = 0;
    for (auto run = pairsByRun.crbegin(); run != pairsByRun.crend(); ++run) {
        if (named.size() < kNamedLaterRuns) {
            named.append(QStringLiteral("%1 (%2)").arg(run->first).arg(pairCount(run->second)));
        } else {
            ++others;
            othersPairs += run->second;
        }
    }
    if (others > 0)
        named.append(ServerTexts::tr("mais %1 (%2)")
                         .arg(others == 1 ? ServerTexts::tr("1 execução") : ServerTexts::tr("%1 execuções").arg(others))
                         .arg(pairCount(othersPairs)));
    const QString last = named.takeLast();
    return ServerTexts::tr("pelas execuções %1 e %2").arg(named.join(QStringLiteral(", ")), last);
}

QString changedAfterMessage(qint64 number, const std::map<qint64, qint64> &pairsByLaterRun, qint64 changedOutside)
{
    QStringList reasons;
    if (!pairsByLaterRun.empty()) {
        qint64 total = 0;
        for (const auto &run : pairsByLaterRun)
            total += run.second;
        reasons.append(ServerTexts::tr("%1 depois %2")
                           .arg(pairsWere(total, ServerTexts::tr("alterado"), ServerTexts::tr("alterados")),
                                byLaterRuns(pairsByLaterRun)));
    }
    if (changedOutside > 0)
        reasons.append(ServerTexts::tr("%1 fora do cadastramento automático")
                           .arg(pairsWere(changedOutside, ServerTexts::tr("alterado ou excluído"),
                                          ServerTexts::tr("alterados ou excluídos"))));
    return ServerTexts::tr("Não é possível desfazer a execução %1: %2.").arg(number).arg(reasons.join(QStringLiteral("; ")));
}

// A TIMESTAMP as the user reads it. SQLite hands it over as the text it stored,
// PostgreSQL as a date and time.
QString displayTime(const QVariant &value)
{
    QDateTime time = value.toDateTime();
    if (!time.isValid())
        time = QDateTime::fromString(value.toString(), Qt::ISODate);
    //: Date and time format of QDateTime::toString.
    return time.isValid() ? time.toString(ServerTexts::tr("dd/MM/yyyy HH:mm:ss")) : value.toString();
}

} // namespace

RunUndo::RunUndo(const QSqlDatabase &db, qint64 number) : m_db(db), m_number(number)
{
}

qint64 RunUndo::takeBack(const QString &user) const
{
    const LoggedRun run = requireUndoable();
    const SqlCondition scope = scopePairs();
    requireUnchangedSince(scope, run.pairs);
    // Replaced pairs first: they get back the number of the run before, so that the
    // pairs of the scope still carrying this run's number are the ones it inserted.
    const qint64 restored = run.replaced > 0 ? restoreReplaced() : 0;
    const qint64 deleted = run.inserted > 0 ? deleteInserted(scope) : 0;
    if (restored != run.replaced || deleted != run.inserted)
        throw ServerError(ServerTexts::tr("O histórico da execução %1 não confere com os pares cadastrados "
                                          "(%2 substituídos e %3 novos registrados; %4 e %5 encontrados); "
                                          "nada foi desfeito.")
                              .arg(m_number).arg(run.replaced).arg(run.inserted).arg(restored).arg(deleted));
    markUndone(user);
    return restored + deleted;
}

RunUndo::LoggedRun RunUndo::requireUndoable() const
{
    QSqlQuery logged = execSql(m_db, QStringLiteral(
        "SELECT QTPARES, QTNOVOS, QTSUBSTITUIDOS, DTDESFEITO, NMUSUDESFEZ FROM LOGCADAUTO WHERE NRLOGCADAUTO = ?"),
        {m_number});
    if (!logged.next())
        throw ServerError(ServerTexts::tr("Execução %1 não encontrada: nenhum cadastramento automático tem esse número.")
                              .arg(m_number));
    if (!logged.value(3).isNull())
        throw ServerError(ServerTexts::tr("A execução %1 já foi desfeita em %2 por %3.")
                              .arg(m_number).arg(displayTime(logged.value(3)), logged.value(4).toString()));
    if (logged.value(1).isNull() || logged.value(2).isNull())
        throw ServerError(ServerTexts::tr("A execução %1 não pode ser desfeita: foi registrada antes do histórico "
                                          "das alterações (sem histórico).").arg(m_number));
    return LoggedRun{logged.value(0).toLongLong(), logged.value(1).toLongLong(), logged.value(2).toLongLong()};
}

SqlCondition RunUndo::scopePairs() const
{
    return scopePairsCondition(
        m_db, {QStringLiteral("SELECT s.CDFORNECED FROM LOGCADAUTOFORN s WHERE s.NRLOGCADAUTO = ?"), {m_number}},
        {QStringLiteral("SELECT s.CDFILIAL FROM LOGCADAUTOFIL s WHERE s.NRLOGCADAUTO = ?"), {m_number}});
}

SqlCondition RunUndo::carryingThisRun(const SqlCondition &scope) const
{
    return scope.withTerm(QStringLiteral("NRLOGCADAUTO = ?"), m_number);
}

void RunUndo::requireUnchangedSince(const SqlCondition &scope, qint64 pairs) const
{
    // Every pair there and carrying this run's number: one count, no grouping.
    const SqlCondition own = carryingThisRun(scope);
    if (scalar(m_db, QStringLiteral("SELECT COUNT(*) FROM FORNATENDE") + own.where(), own.values).toLongLong() == pairs)
        return;
    // Otherwise who last wrote each pair of the scope, counted by run number.
    QSqlQuery writers = execSql(m_db, QStringLiteral("SELECT NRLOGCADAUTO, COUNT(*) FROM FORNATENDE") + scope.where()
                                          + QStringLiteral(" GROUP BY NRLOGCADAUTO"),
                                scope.values);
    std::map<qint64, qint64> pairsByLaterRun;
    qint64 found = 0;
    qint64 changedOutside = 0;
    while (writers.next()) {
        const qint64 count = writers.value(1).toLongLong();
        const bool numbered = !writers.value(0).isNull();
        const qint64 writer = writers.value(0).toLongLong();
        found += count;
        if (numbered && writer > m_number)
            pairsByLaterRun[writer] = count;
        else if (!numbered || writer != m_number)
            changedOutside += count;   // no run, or an earlier one: written by other means
    }
    changedOutside += pairs - found;   // pairs that are gone
    if (!pairsByLaterRun.empty() || changedOutside > 0)
        throw ServerError(changedAfterMessage(m_number, pairsByLaterRun, changedOutside));
}

qint64 RunUndo::restoreReplaced() const
{
    return execSql(m_db, QStringLiteral(
        "UPDATE FORNATENDE SET CDPERIENTR = h.CDPERIENTR, QTDIASPRAZEXPED = h.QTDIASPRAZEXPED,"
        " DTULTALTER = h.DTULTALTER, NMUSUULTALTER = h.NMUSUULTALTER, NRLOGCADAUTO = h.NRLOGCADAUTOANT"
        " FROM LOGCADAUTOSUBST h"
        " WHERE h.NRLOGCADAUTO = ? AND FORNATENDE.CDFORNECED = h.CDFORNECED AND FORNATENDE.CDFILIAL = h.CDFILIAL"),
        {m_number}).numRowsAffected();
}

qint64 RunUndo::deleteInserted(const SqlCondition &scope) const
{
    const SqlCondition inserted = carryingThisRun(scope);
    return execSql(m_db, QStringLiteral("DELETE FROM FORNATENDE") + inserted.where(), inserted.values)
        .numRowsAffected();
}

void RunUndo::markUndone(const QString &user) const
{
    execSql(m_db, QStringLiteral("UPDATE LOGCADAUTO SET DTDESFEITO = CURRENT_TIMESTAMP, NMUSUDESFEZ = ?"
                                 " WHERE NRLOGCADAUTO = ?"),
            {user, m_number});
}

} // namespace appserver
