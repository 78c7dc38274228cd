#pragma once
// The registered supplier–branch pairs (FORNATENDE) with the names of supplier, branch,
// region and periodicity, in the order of the table's primary key (supplier code, then
// branch code), read a page at a time.
//
// Filters, each ignoring case and empty when blank: supplier, branch and region each
// match a code that starts with the text or a name that contains it (supplier: fantasy
// name). They narrow the suppliers and the branches first — small tables — and the pairs
// are then looked up through the primary key for just those, so that a filter reads the
// pair table only where it shows rows.

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

    // Up to this many suppliers or branches matched by a filter are listed by code in
    // the statements; beyond it the filter itself goes into them.
    static constexpr int DefaultMaxListedCodes = 1000;

    explicit PairListModel(int pageSize = DefaultPageSize, int maxListedCodes = DefaultMaxListedCodes,
                           QObject *parent = nullptr);

    // Takes effect at the next Reload.
    void SetFilter(const PairFilter &filter);
    PairFilter Filter() const { return m_filter; }

    // One side of the pairs (suppliers or branches) as a filter leaves it.
    struct Narrowing {
        bool active = false;    // a filter applies to this side
        bool listed = false;    // the codes below are all it leaves
        QStringList codes;
    };

protected:
    Preparation Prepare() override;
    Statement PageStatement(const Row *last, int limit) const override;
    QVariant CellData(const Row &row, int column, int role) const override;

private:
    int m_maxListedCodes;
    PairFilter m_filter;
    Narrowing m_suppliers;
    Narrowing m_branches;
};
