#pragma once
// The scope of a call as three temporary tables of codes on the server's connection:
// chosen regions, suppliers and branches. Codes from selection strings go in as bound
// values; "all" choices are copied with INSERT ... SELECT. The methods then join these
// tables, so that every query and write over the scope is one set-based statement.

#include "arguments.h"

#include <QSqlDatabase>

namespace appserver {

class ScopeTables {
public:
    // Creates the temporary tables when the connection lacks them and empties them.
    explicit ScopeTables(const QSqlDatabase &db);

    // Each load checks that every listed code exists and throws ServerError otherwise.
    void loadRegions(const Selection &regions);
    void loadSuppliers(const Selection &suppliers, bool all);
    // With all: every branch of the loaded regions; otherwise the listed branches.
    void loadBranches(const Selection &branches, bool all);
    // Loads the three in the order the branch rule needs (regions first).
    void load(const ScopeArguments &scope);

    qint64 supplierCount() const;
    qint64 branchCount() const;

private:
    void loadCodes(const QString &table, const QStringList &codes);
    void requireKnown(const QString &table, const QString &column, const QString &sourceTable,
                      const QString &message);
    QSqlDatabase m_db;
};

} // namespace appserver
