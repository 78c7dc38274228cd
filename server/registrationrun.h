#pragma once
// The writes of one registration run (CadAutoAtende) over the scope loaded in the
// temporary tables (scopetables.h), inside the caller's write transaction: every pair of
// the scope gets the run's values and one and the same time, and the run keeps what it
// changed — its suppliers and branches, and the values of the pairs it replaced as they
// were before — so that DesfazCadAuto can take it back (runundo.h). All set-based: a
// fixed number of statements whatever the number of pairs.

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

// The SQL that gives a run's time (DTULTALTER of its pairs, DTEXECUCAO of its log row)
// its value in the run's statements, with what it binds.
struct RunTime {
    QString sql;
    QVariantList values;
};

struct WrittenPairs {
    qint64 inserted = 0;
    qint64 replaced = 0;
};

class RegistrationRun {
public:
    // The number the next run gets (MAX + 1). Called inside the write transaction, which
    // holds the write lock, so that no other run takes the same number.
    static qint64 nextNumber(const QSqlDatabase &db);

    RegistrationRun(const QSqlDatabase &db, qint64 number);

    // Writes the scope's pairs, `scopePairs` of them, with the values; existing pairs are
    // replaced, the others inserted.
    WrittenPairs writePairs(const PairValues &values, qint64 scopePairs) const;

    // The run's time, for the run's other statements.
    const RunTime &time() const { return m_time; }

private:
    void recordScope() const;
    void keepReplacedValues(const SqlCondition &existing) const;
    qint64 replaceExisting(const SqlCondition &existing, const PairValues &values) const;
    qint64 insertMissing(const PairValues &values) const;

    QSqlDatabase m_db;
    qint64 m_number;
    RunTime m_time;
};

} // namespace appserver
