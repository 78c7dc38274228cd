#pragma once
// Takes one registration run back (DesfazCadAuto) inside the caller's write
// transaction, from the history the run kept (registrationrun.h): the pairs it inserted
// are deleted and the pairs it replaced get back their values from before the run,
// their run number included, so that the run before becomes the last writer again. The
// run is then marked as undone, never deleted.
//
// Refused, changing nothing, when the run is unknown, was logged without history, was
// undone already, or when any of its pairs was changed after it: by a later run (its
// number is on the pair) or outside the registration (the pair no longer carries the
// run's number, or is gone).

#include <QSqlDatabase>
#include <QString>

namespace appserver {

struct SqlCondition;

class RunUndo {
public:
    RunUndo(const QSqlDatabase &db, qint64 number);

    // Returns the number of pairs taken back (deleted plus restored). Throws ServerError
    // with the reason, in Portuguese, when the run cannot be undone.
    qint64 takeBack(const QString &user) const;

private:
    struct LoggedRun {
        qint64 pairs = 0;
        qint64 inserted = 0;
        qint64 replaced = 0;
    };
    LoggedRun requireUndoable() const;
    SqlCondition scopePairs() const;
    // The pairs of the scope whose last writer is this run.
    SqlCondition carryingThisRun(const SqlCondition &scope) const;
    void requireUnchangedSince(const SqlCondition &scope, qint64 pairs) const;
    qint64 restoreReplaced() const;
    qint64 deleteInserted(const SqlCondition &scope) const;
    void markUndone(const QString &user) const;

    QSqlDatabase m_db;
    qint64 m_number;
};

} // namespace appserver
