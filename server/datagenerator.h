#pragma once
// Large data sets for benchmarks and load trials: N branches and M suppliers in a
// database that already holds the schema and the reference data (regions, geography,
// periodicities, parameters; the sample data provides them).

#include <QSqlDatabase>
#include <QString>

namespace appserver {

class DataGenerator {
public:
    // Replaces the branches, suppliers, served regions, registrations and audit rows (with
    // their history) by generated ones, in one transaction: branches spread over the
    // municipalities (each in its state's region), suppliers alternating companies and
    // individuals with valid CNPJ/CPF check digits, every supplier serving every region
    // (so that the whole scope can be registered). Throws ServerError.
    static void populate(const QSqlDatabase &db, int branches, int suppliers);

    // Codes of the generated rows (index from 1). Branch codes are 4 characters: decimal
    // up to 9999 branches, base 36 beyond (at most 36^4 - 1).
    static QString branchCode(int index, int branchTotal);
    static QString supplierCode(int index);
    static int maxBranches();
};

} // namespace appserver
