#pragma once
// The registered supplier–branch pairs (FORNATENDE) with the names of supplier, branch,
// region and periodicity, in the order of the table's primary key (supplier code, then
// branch code), read a page at a time.
//
// Filters, each ignoring case and empty when blank: supplier, branch and region each
// match a code that starts with the text or a name that contains it (supplier: fantasy
// name). They narrow the suppliers, branches and regions first — small tables — and the
// pairs are then read through the primary key for just those, so a filter never reads
// the pair table beyond the page it shows.

#include "pagedquerymodel.h"

struct PairFilter {
    QString supplier;
    QString branch;
    QString region;
};

class PairListModel : public PagedQueryModel {
    Q_OBJECT
public:
    enum Column { Supplier, SupplierName, Branch, BranchName, Region, Periodicity, LeadTime, Author, Changed };

    explicit PairListModel(int pageSize = DefaultPageSize, QObject *parent = nullptr);

    // Takes effect at the next Reload.
    void SetFilter(const PairFilter &filter);
    PairFilter Filter() const { return m_filter; }

protected:
    Statement PageStatement(const Row *last, int limit) const override;
    QVariant CellData(const Row &row, int column, int role) const override;

private:
    PairFilter m_filter;
};
