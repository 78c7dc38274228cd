#pragma once
// The writes of one registration run (CadAutoAtende) over the scope loaded in the
// temporary tables (scopetables.h), inside the caller's write transaction: every pair of
// the scope gets the run's values. All set-based: a fixed number of statements whatever
// the number of pairs.

#include "pairscope.h"

#include <QSqlDatabase>
#include <QString>
#include <QVariant>

namespace appserver {

struct PairValues {
    QVariant periodicity;   // a null variant: no periodicity
    int leadTime = 0;
    QString author;
};

struct WrittenPairs {
    qint64 inserted = 0;
    qint64 replaced = 0;
};

class RegistrationRun {
public:
    explicit RegistrationRun(const QSqlDatabase &db);

    // Writes the scope's pairs, `scopePairs` of them, with the values; existing pairs are
    // replaced, the others inserted.
    WrittenPairs writePairs(const PairValues &values, qint64 scopePairs) const;

private:
    qint64 replaceExisting(const SqlCondition &existing, const PairValues &values) const;
    qint64 insertMissing(const PairValues &values) const;

    QSqlDatabase m_db;
};

} // namespace appserver
