#include "pairscope.h"

#include "sqlsupport.h"

namespace appserver {

namespace {

// True when the listed codes include every row of the master table (FORNECEDOR, FILIAL).
bool takesInEveryRow(const QSqlDatabase &db, const QString &master, const QString &column, const CodeList &codes)
{
    // The table and column names are the constants below, never a caller's text.
    const qint64 all = scalar(db, QStringLiteral("SELECT COUNT(*) FROM %1").arg(master)).toLongLong();
    const qint64 listed = scalar(db, QStringLiteral("SELECT COUNT(*) FROM %1 m WHERE m.%2 IN (%3)")
                                         .arg(master, column, codes.select),
                                 codes.values).toLongLong();
    return listed == all;
}

void addSide(SqlCondition &condition, const QSqlDatabase &db, const QString &master, const QString &column,
             const CodeList &codes)
{
    if (takesInEveryRow(db, master, column, codes))
        return;
    condition.terms.append(QStringLiteral("%1 IN (%2)").arg(column, codes.select));
    condition.values.append(codes.values);
}

} // namespace

QString SqlCondition::where() const
{
    return terms.isEmpty() ? QString() : QStringLiteral(" WHERE ") + terms.join(QStringLiteral(" AND "));
}

SqlCondition SqlCondition::withTerm(const QString &term, const QVariant &value) const
{
    SqlCondition more = *this;
    more.terms.append(term);
    more.values.append(value);
    return more;
}

SqlCondition scopePairsCondition(const QSqlDatabase &db, const CodeList &suppliers, const CodeList &branches)
{
    SqlCondition condition;
    addSide(condition, db, QStringLiteral("FORNECEDOR"), QStringLiteral("CDFORNECED"), suppliers);
    addSide(condition, db, QStringLiteral("FILIAL"), QStringLiteral("CDFILIAL"), branches);
    return condition;
}

} // namespace appserver
