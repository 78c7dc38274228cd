#include "fornatendeservice.h"

#include "datapacket.h"
#include "runundo.h"
#include "scopetables.h"
#include "selection.h"
#include "servererror.h"
#include "sqlsupport.h"

#include <QSqlQuery>

namespace appserver {

namespace {

using contracts::DataPacket;
using contracts::PacketField;
using contracts::PacketFieldType;

const int kUserNameLength = 30;
const int kRegionsTextLength = 4000;

DataPacket textPacket(const QVector<QPair<QString, int>> &fields)
{
    DataPacket packet;
    for (const auto &field : fields)
        packet.fields.append(PacketField{field.first, PacketFieldType::String, field.second});
    return packet;
}

QString text(const QSqlQuery &query, int column)
{
    return query.value(column).toString();   // null reads as the empty text
}

// The region selection as the audit keeps it: "T", the "_" list, or null for none.
QVariant selectionText(const Selection &selection)
{
    if (selection.all)
        return QStringLiteral("T");
    if (selection.codes.isEmpty())
        return QVariant(QMetaType::fromType<QString>());
    const QString joined = contracts::writeSelection(selection.codes);
    return joined.size() <= kRegionsTextLength ? joined
                                               : QString(joined.left(kRegionsTextLength - 3) + QStringLiteral("..."));
}

QString indicator(bool all)
{
    return all ? QStringLiteral("S") : QStringLiteral("N");
}

// Supplier x region combinations of the scope (chosen suppliers against the distinct
// regions of the chosen branches) in which the supplier does not serve the region. A
// pair blocks exactly when its supplier and its branch's region form such a combination.
const QString kBlockingCombinations = QStringLiteral(
    "SELECT t.CDFORNECED, g.CDREGIAO FROM TMPESCFORN t"
    " CROSS JOIN (SELECT DISTINCT f.CDREGIAO FROM TMPESCFIL b"
    "             JOIN FILIAL f ON f.CDFILIAL = b.CDFILIAL) g"
    " WHERE NOT EXISTS (SELECT 1 FROM FORNREGIAO r"
    "                   WHERE r.CDFORNECED = t.CDFORNECED AND r.CDREGIAO = g.CDREGIAO)");

QVariant nullableText(const QString &value, int size)
{
    // A typed null binds as SQL NULL on every driver.
    return value.isEmpty() ? QVariant(QMetaType::fromType<QString>()) : QVariant(value.left(size));
}

} // namespace

FornAtendeService::FornAtendeService(const QSqlDatabase &db, const QString &usuario)
    : m_db(db), m_usuario(usuario.left(kUserNameLength))
{
}

QVariantList FornAtendeService::getParamGeral() const
{
    QSqlQuery query = execSql(m_db, QStringLiteral(
        "SELECT VLPARAMGERAL FROM PARAMGERAL ORDER BY NRPARAMGERAL"));
    QVariantList values;
    while (query.next())
        values.append(text(query, 0));
    if (values.isEmpty())
        throw ServerError(ServerTexts::tr("Parâmetros gerais não cadastrados."));
    return values;
}

QByteArray FornAtendeService::getFilial(const Selection &regions) const
{
    Transaction transaction(m_db, Transaction::Kind::Read);
    ScopeTables scope(m_db);
    scope.loadRegions(regions);

    QSqlQuery query = execSql(m_db, QStringLiteral(
        "SELECT f.CDFILIAL, f.NMFILIAL, f.CDPAIS, p.NMPAIS, f.SGESTADO, e.NMESTADO,"
        "       f.CDMUNICIPIO, m.NMMUNICIPIO"
        " FROM FILIAL f"
        " JOIN PAIS p ON p.CDPAIS = f.CDPAIS"
        " JOIN ESTADO e ON e.CDPAIS = f.CDPAIS AND e.SGESTADO = f.SGESTADO"
        " JOIN MUNICIPIO m ON m.CDPAIS = f.CDPAIS AND m.SGESTADO = f.SGESTADO"
        "                 AND m.CDMUNICIPIO = f.CDMUNICIPIO"
        " WHERE f.CDREGIAO IN (SELECT r.CDREGIAO FROM TMPESCREG r)"
        " ORDER BY f.CDFILIAL"));
    DataPacket packet = textPacket({{QStringLiteral("IDCHECK"), 1}, {QStringLiteral("CDFILIAL"), 4},
                                    {QStringLiteral("NMFILIAL"), 30}, {QStringLiteral("CDPAIS"), 4},
                                    {QStringLiteral("NMPAIS"), 30}, {QStringLiteral("SGESTADO"), 2},
                                    {QStringLiteral("NMESTADO"), 30}, {QStringLiteral("CDMUNICIPIO"), 4},
                                    {QStringLiteral("NMMUNICIPIO"), 30}});
    while (query.next()) {
        QVector<QVariant> row{QString()};
        for (int column = 0; column < 8; ++column)
            row.append(text(query, column));
        packet.rows.append(std::move(row));
    }
    query.finish();
    transaction.commit();
    return contracts::encodePacket(packet);
}

// Reads the first rows of `select` (already ordered) into the packet, at most
// MaxListedRows of them, so that neither the server's memory nor the packet grows with
// the scope; when the list is cut, `count` gives the whole number for the packet.
void FornAtendeService::readListed(DataPacket &packet, const QString &select, const QString &count,
                                   const RowReader &row) const
{
    QSqlQuery query = execSql(m_db, select + QStringLiteral(" LIMIT %1").arg(MaxListedRows));
    while (query.next())
        packet.rows.append(row(query));
    query.finish();
    if (packet.rows.size() == MaxListedRows)
        packet.total = scalar(m_db, count).toLongLong();
}

// Loads into TMPBLOQFORNREG the supplier x region combinations of the scope in which the
// supplier does not serve the region: the rule checked over distinct combinations, so
// that its cost follows suppliers x regions instead of suppliers x branches.
void FornAtendeService::loadBlockingCombinations() const
{
    execSql(m_db, QStringLiteral("CREATE TEMPORARY TABLE IF NOT EXISTS TMPBLOQFORNREG ("
                                 " CDFORNECED VARCHAR(21) NOT NULL, CDREGIAO VARCHAR(3) NOT NULL,"
                                 " PRIMARY KEY (CDREGIAO, CDFORNECED))"));
    execSql(m_db, QStringLiteral("DELETE FROM TMPBLOQFORNREG"));
    execSql(m_db, QStringLiteral("INSERT INTO TMPBLOQFORNREG (CDFORNECED, CDREGIAO) ") + kBlockingCombinations);
}

// How many blocking rows the scope has and the last branch (in the list's order) whose
// rows are needed for the first MaxListedRows of them. One row per chosen branch with
// blocked suppliers, so this reads branches, never pairs.
FornAtendeService::BlockingExtent FornAtendeService::blockingExtent() const
{
    QSqlQuery query = execSql(m_db, QStringLiteral(
        "SELECT b.CDFILIAL, c.QTBLOQ FROM TMPESCFIL b"
        " JOIN FILIAL f ON f.CDFILIAL = b.CDFILIAL"
        " JOIN (SELECT CDREGIAO, COUNT(*) AS QTBLOQ FROM TMPBLOQFORNREG GROUP BY CDREGIAO) c"
        "   ON c.CDREGIAO = f.CDREGIAO"
        " ORDER BY b.CDFILIAL"));
    BlockingExtent extent;
    while (query.next()) {
        const bool listed = extent.total < MaxListedRows;
        extent.total += query.value(1).toLongLong();
        if (listed)
            extent.lastListedBranch = text(query, 0);
    }
    return extent;
}

QByteArray FornAtendeService::blockingRowsPacket() const
{
    DataPacket packet = textPacket({{QStringLiteral("FILIAL"), 37}, {QStringLiteral("REGIAO"), 36},
                                    {QStringLiteral("FORNECEDOR"), 14}, {QStringLiteral("NMFANTFORN"), 40},
                                    {QStringLiteral("IDTPIJURFORN"), 1}});
    loadBlockingCombinations();
    const BlockingExtent extent = blockingExtent();
    if (extent.total == 0)
        return contracts::encodePacket(packet);

    // Rows only for the blocked combinations, and only up to the branch that completes
    // the listed part: the sort never sees more than that.
    QSqlQuery query = execSql(m_db, QStringLiteral(
        "SELECT f.CDFILIAL, f.NMFILIAL, g.CDREGIAO, g.NMREGIAO, s.NRINSJURFORN, s.NMFANTFORN, s.IDTPIJURFORN"
        " FROM TMPESCFIL b"
        " JOIN FILIAL f ON f.CDFILIAL = b.CDFILIAL"
        " JOIN TMPBLOQFORNREG k ON k.CDREGIAO = f.CDREGIAO"
        " JOIN REGIAO g ON g.CDREGIAO = f.CDREGIAO"
        " JOIN FORNECEDOR s ON s.CDFORNECED = k.CDFORNECED"
        " WHERE b.CDFILIAL <= ?"
        " ORDER BY f.CDFILIAL, s.NMFANTFORN, s.CDFORNECED"
        " LIMIT %1").arg(MaxListedRows), {extent.lastListedBranch});
    const QString dash = QStringLiteral(" - ");
    while (query.next())
        packet.rows.append(QVector<QVariant>{text(query, 0) + dash + text(query, 1),
                                             text(query, 2) + dash + text(query, 3), text(query, 4),
                                             text(query, 5), text(query, 6)});
    query.finish();
    if (extent.total > packet.rows.size())
        packet.total = extent.total;
    return contracts::encodePacket(packet);
}

QByteArray FornAtendeService::registeredPairsPacket() const
{
    const QString pairs = QStringLiteral(
        " FROM FORNATENDE a"
        " JOIN TMPESCFORN t ON t.CDFORNECED = a.CDFORNECED"
        " JOIN TMPESCFIL b ON b.CDFILIAL = a.CDFILIAL");
    DataPacket packet = textPacket({{QStringLiteral("CDFORNECED"), 21}, {QStringLiteral("NMFANTFORN"), 40},
                                    {QStringLiteral("CDFILIAL"), 4}, {QStringLiteral("NMFILIAL"), 30},
                                    {QStringLiteral("CDPERIENTR"), 2}});
    readListed(packet,
               QStringLiteral("SELECT a.CDFORNECED, s.NMFANTFORN, a.CDFILIAL, f.NMFILIAL, a.CDPERIENTR")
                   + pairs
                   + QStringLiteral(" JOIN FORNECEDOR s ON s.CDFORNECED = a.CDFORNECED"
                                    " JOIN FILIAL f ON f.CDFILIAL = a.CDFILIAL"
                                    " ORDER BY a.CDFORNECED, a.CDFILIAL"),
               QStringLiteral("SELECT COUNT(*)") + pairs, [](const QSqlQuery &query) {
                   return QVector<QVariant>{text(query, 0), text(query, 1), text(query, 2), text(query, 3),
                                            text(query, 4)};
               });
    return contracts::encodePacket(packet);
}

QVariantList FornAtendeService::getValidReForFil(const ScopeArguments &scopeArguments) const
{
    Transaction transaction(m_db, Transaction::Kind::Read);
    ScopeTables scope(m_db);
    scope.load(scopeArguments);
    const QVariantList result{blockingRowsPacket(), registeredPairsPacket()};
    transaction.commit();
    return result;
}

bool FornAtendeService::scopeHasBlockingPair() const
{
    return !scalar(m_db, kBlockingCombinations + QStringLiteral(" LIMIT 1")).isNull();
}

void FornAtendeService::requirePeriodicity(const QString &code) const
{
    if (code.isEmpty())
        return;
    if (scalar(m_db, QStringLiteral("SELECT 1 FROM PERIENTR WHERE CDPERIENTR = ?"), {code}).isNull())
        throw ServerError(ServerTexts::tr("Periodicidade não cadastrada."));
}

void FornAtendeService::writeAudit(const RegistrationArguments &registration, const RunSummary &run) const
{
    execSql(m_db, QStringLiteral(
        "INSERT INTO LOGCADAUTO (NRLOGCADAUTO, DTEXECUCAO, NMUSUARIO, DSREGIOES, IDTODOSFORN, QTFORNECED,"
        "                        IDTODASFIL, QTFILIAL, CDPERIENTR, QTDIASPRAZEXPED, QTPARES, QTNOVOS,"
        "                        QTSUBSTITUIDOS)"
        " VALUES (?, %1, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)").arg(run.time.sql),
        QVariantList{run.number} + run.time.values
            + QVariantList{m_usuario, selectionText(registration.scope.regions),
                           indicator(registration.scope.allSuppliers), run.suppliers,
                           indicator(registration.scope.allBranches), run.branches,
                           nullableText(registration.periodicity, 2), registration.leadTime,
                           run.suppliers * run.branches, run.written.inserted, run.written.replaced});
}

qint64 FornAtendeService::cadAutoAtende(const RegistrationArguments &registration) const
{
    Transaction transaction(m_db, Transaction::Kind::Write);
    ScopeTables scope(m_db);
    scope.load(registration.scope);
    requirePeriodicity(registration.periodicity);

    RunSummary run;
    run.suppliers = scope.supplierCount();
    run.branches = scope.branchCount();
    const qint64 pairs = run.suppliers * run.branches;
    if (pairs == 0)
        throw ServerError(ServerTexts::tr("Nenhum par de fornecedor e filial no escopo informado; nada foi cadastrado."));
    if (scopeHasBlockingPair())
        throw ServerError(ServerTexts::tr("Operação bloqueada. Existem filiais cuja região não é atendida "
                                          "pelos fornecedores escolhidos"));
    // Numbered inside the write transaction, which holds the write lock.
    run.number = RegistrationRun::nextNumber(m_db);
    const RegistrationRun writer(m_db, run.number);
    run.written = writer.writePairs({nullableText(registration.periodicity, 2), registration.leadTime, m_usuario}, pairs);
    run.time = writer.time();   // the log row says when, to the second its pairs say
    writeAudit(registration, run);
    transaction.commit();
    return pairs;
}

qint64 FornAtendeService::desfazCadAuto(qint64 run) const
{
    Transaction transaction(m_db, Transaction::Kind::Write);
    const qint64 pairs = RunUndo(m_db, run).takeBack(m_usuario);
    transaction.commit();
    return pairs;
}

} // namespace appserver
