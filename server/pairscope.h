#pragma once
// Which rows of FORNATENDE belong to a scope of suppliers x branches, the scope given as
// two lists of codes: the temporary tables of the call in progress (scopetables.h), or
// the lists a registration run recorded in its history.

#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <QVariantList>

namespace appserver {

// A condition over FORNATENDE (not aliased): terms joined with AND, with the values
// bound to their placeholders in order.
struct SqlCondition {
    QStringList terms;
    QVariantList values;

    // " WHERE ..." or, without terms, empty: every row.
    QString where() const;
    SqlCondition withTerm(const QString &term, const QVariant &value) const;
};

// A list of codes as a SELECT of one column, e.g. "SELECT t.CDFORNECED FROM TMPESCFORN t".
struct CodeList {
    QString select;
    QVariantList values;
};

// The pairs whose supplier is in `suppliers` and whose branch is in `branches`. A list
// that takes in every supplier (branch) of the database adds no term: every pair's
// supplier then qualifies by its foreign key, and one scan of the table costs far less
// than a lookup per pair when the scope is the whole table.
SqlCondition scopePairsCondition(const QSqlDatabase &db, const CodeList &suppliers, const CodeList &branches);

} // namespace appserver
