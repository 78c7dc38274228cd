#include "scopetables.h"

#include "servererror.h"
#include "sqlsupport.h"

namespace appserver {

namespace {

const QString kRegionTable = QStringLiteral("TMPESCREG");
const QString kSupplierTable = QStringLiteral("TMPESCFORN");
const QString kBranchTable = QStringLiteral("TMPESCFIL");

} // namespace

ScopeTables::ScopeTables(const QSqlDatabase &db) : m_db(db)
{
    execSql(m_db, QStringLiteral("CREATE TEMPORARY TABLE IF NOT EXISTS TMPESCREG ("
                                 " CDREGIAO VARCHAR(3) NOT NULL PRIMARY KEY)"));
    execSql(m_db, QStringLiteral("CREATE TEMPORARY TABLE IF NOT EXISTS TMPESCFORN ("
                                 " CDFORNECED VARCHAR(21) NOT NULL PRIMARY KEY)"));
    execSql(m_db, QStringLiteral("CREATE TEMPORARY TABLE IF NOT EXISTS TMPESCFIL ("
                                 " CDFILIAL VARCHAR(4) NOT NULL PRIMARY KEY)"));
    for (const QString &table : {kRegionTable, kSupplierTable, kBranchTable})
        execSql(m_db, QStringLiteral("DELETE FROM %1").arg(table));
}

void ScopeTables::loadCodes(const QString &table, const QStringList &codes)
{
    // The table name is one of the constants above; the codes are bound values.
    QSqlQuery insert = prepareQuery(m_db, QStringLiteral("INSERT INTO %1 VALUES (?)").arg(table));
    QVariantList column;
    column.reserve(codes.size());
    for (const QString &code : codes)
        column.append(code);
    execBatch(insert, {column});
}

void ScopeTables::requireKnown(const QString &table, const QString &column, const QString &sourceTable,
                               const QString &message)
{
    const QVariant unknown = scalar(m_db, QStringLiteral(
        "SELECT MIN(t.%2) FROM %1 t WHERE NOT EXISTS (SELECT 1 FROM %3 s WHERE s.%2 = t.%2)")
        .arg(table, column, sourceTable));
    if (!unknown.isNull())
        throw ServerError(message.arg(unknown.toString()));
}

void ScopeTables::loadRegions(const Selection &regions)
{
    if (regions.all) {
        execSql(m_db, QStringLiteral("INSERT INTO TMPESCREG SELECT CDREGIAO FROM REGIAO"));
        return;
    }
    loadCodes(kRegionTable, regions.codes);
    requireKnown(kRegionTable, QStringLiteral("CDREGIAO"), QStringLiteral("REGIAO"),
                 ServerTexts::tr("Região não cadastrada: \"%1\"."));
}

void ScopeTables::loadSuppliers(const Selection &suppliers, bool all)
{
    if (all) {
        execSql(m_db, QStringLiteral("INSERT INTO TMPESCFORN SELECT CDFORNECED FROM FORNECEDOR"));
        return;
    }
    loadCodes(kSupplierTable, suppliers.codes);
    requireKnown(kSupplierTable, QStringLiteral("CDFORNECED"), QStringLiteral("FORNECEDOR"),
                 ServerTexts::tr("Fornecedor não cadastrado: \"%1\"."));
}

void ScopeTables::loadBranches(const Selection &branches, bool all)
{
    if (all) {
        execSql(m_db, QStringLiteral("INSERT INTO TMPESCFIL SELECT f.CDFILIAL FROM FILIAL f"
                                     " WHERE f.CDREGIAO IN (SELECT r.CDREGIAO FROM TMPESCREG r)"));
        return;
    }
    loadCodes(kBranchTable, branches.codes);
    requireKnown(kBranchTable, QStringLiteral("CDFILIAL"), QStringLiteral("FILIAL"),
                 ServerTexts::tr("Filial não cadastrada: \"%1\"."));
}

void ScopeTables::load(const ScopeArguments &scope)
{
    loadRegions(scope.regions);
    loadSuppliers(scope.suppliers, scope.allSuppliers);
    loadBranches(scope.branches, scope.allBranches);
}

qint64 ScopeTables::supplierCount() const
{
    return scalar(m_db, QStringLiteral("SELECT COUNT(*) FROM TMPESCFORN")).toLongLong();
}

qint64 ScopeTables::branchCount() const
{
    return scalar(m_db, QStringLiteral("SELECT COUNT(*) FROM TMPESCFIL")).toLongLong();
}

} // namespace appserver
