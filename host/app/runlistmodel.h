#pragma once
// The automatic registration runs (LOGCADAUTO), newest first, read a page at a time by
// run number: when, by whom, the scope in words, how many pairs, and whether the run
// was undone. Runs logged before the server kept each run's history have no counts of
// new and replaced pairs and cannot be undone ("Sem histórico").

#include "pagedquerymodel.h"

#include <QString>

class RunListModel : public PagedQueryModel {
    Q_OBJECT
public:
    enum Column { Number, Executed, User, Scope, Pairs, NewPairs, ReplacedPairs, State };

    // What the window needs to know of a run to offer undoing it.
    struct Run {
        int number = 0;
        QString executed;      // as the list shows it
        qint64 pairs = 0;
        bool hasHistory = false;
        bool undone = false;
        bool CanUndo() const { return hasHistory && !undone; }
    };

    explicit RunListModel(int pageSize = DefaultPageSize, QObject *parent = nullptr);

    Run RunAt(int row) const;

protected:
    Statement PageStatement(const Row *last, int limit) const override;
    QVariant CellData(const Row &row, int column, int role) const override;
};
