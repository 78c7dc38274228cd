#include "runlistmodel.h"

#include "arguments.h"
#include "displaytext.h"

#include <QLocale>

namespace {

// Positions of the values in a row read by the statement below.
enum Value {
    VNumber, VExecuted, VUser, VRegions, VAllSuppliers, VSuppliers, VAllBranches, VBranches,
    VPairs, VNewPairs, VReplacedPairs, VUndone, VUndoneBy
};

const char *const SelectRuns =
    "SELECT NRLOGCADAUTO, DTEXECUCAO, NMUSUARIO, DSREGIOES, IDTODOSFORN, QTFORNECED, IDTODASFIL, QTFILIAL,"
    " QTPARES, QTNOVOS, QTSUBSTITUIDOS, DTDESFEITO, NMUSUDESFEZ"
    " FROM LOGCADAUTO";

// How many region codes the scope names before it only counts the rest.
constexpr int RegionsNamed = 5;

QString Formatted(qint64 value)
{
    return QLocale().toString(value);
}

QString SuppliersText(bool all, qint64 count)
{
    if (all)
        return RunListModel::tr("Todos os fornecedores");
    return count == 1 ? RunListModel::tr("1 fornecedor")
                      : RunListModel::tr("%1 fornecedores").arg(Formatted(count));
}

QString BranchesText(bool all, qint64 count)
{
    if (all)
        return count == 1 ? RunListModel::tr("a única filial")
                          : RunListModel::tr("todas as %1 filiais").arg(Formatted(count));
    return count == 1 ? RunListModel::tr("1 filial") : RunListModel::tr("%1 filiais").arg(Formatted(count));
}

// The regions of the run's scope in words; empty when the run named none. The text is
// what the server logged: "T" for all, or a list "_SE_S_" — cut, and ended with "...",
// when longer than its column.
QString RegionsText(const QVariant &stored)
{
    QString text = stored.toString();
    if (text.isEmpty())
        return QString();
    const bool cut = text.endsWith(QLatin1String("..."));
    if (cut) {
        text.chop(3);
        text.truncate(text.lastIndexOf(QLatin1Char('_')) + 1);   // the codes logged whole
    }
    contracts::Selection regions;
    try {
        regions = contracts::readSelection(text, appserver::kRegions);
    } catch (const contracts::SelectionError &) {
        return RunListModel::tr("regiões %1").arg(stored.toString());   // not a selection: as logged
    }
    if (regions.all)
        return RunListModel::tr("todas as regiões");
    const QString named = regions.codes.mid(0, RegionsNamed).join(QStringLiteral(", "));
    const qint64 others = qMax<qint64>(0, regions.codes.size() - RegionsNamed);
    if (cut)
        return RunListModel::tr("regiões %1 e mais de %2").arg(named, Formatted(others));
    if (regions.codes.size() == 1)
        return RunListModel::tr("região %1").arg(named);
    if (others == 0)
        return RunListModel::tr("regiões %1").arg(named);
    return RunListModel::tr("regiões %1 e mais %2").arg(named, Formatted(others));
}

QString ScopeText(const PagedQueryModel::Row &row)
{
    const QString suppliers = SuppliersText(row.at(VAllSuppliers).toString() == QLatin1String("S"),
                                            row.at(VSuppliers).toLongLong());
    const QString branches = BranchesText(row.at(VAllBranches).toString() == QLatin1String("S"),
                                          row.at(VBranches).toLongLong());
    const QString regions = RegionsText(row.at(VRegions));
    if (regions.isEmpty())
        return RunListModel::tr("%1 × %2").arg(suppliers, branches);
    return RunListModel::tr("%1 × %2 (%3)").arg(suppliers, branches, regions);
}

bool HasHistory(const PagedQueryModel::Row &row)
{
    return !row.at(VNewPairs).isNull() && !row.at(VReplacedPairs).isNull();
}

QString StateText(const PagedQueryModel::Row &row)
{
    if (!row.at(VUndone).isNull())
        return RunListModel::tr("Desfeita em %1 por %2")
            .arg(DisplayText::DateTime(row.at(VUndone)), row.at(VUndoneBy).toString());
    if (!HasHistory(row))
        return RunListModel::tr("Sem histórico");
    return RunListModel::tr("Não desfeita");
}

// A count column of the history: empty for a run without it.
QVariant HistoryCount(const PagedQueryModel::Row &row, int value)
{
    return HasHistory(row) ? QVariant(Formatted(row.at(value).toLongLong())) : QVariant();
}

} // namespace

RunListModel::RunListModel(int pageSize, QObject *parent)
    : PagedQueryModel({tr("Nº"), tr("Data"), tr("Usuário"), tr("Escopo"), tr("Pares"), tr("Novos"),
                       tr("Substituídos"), tr("Situação")},
                      pageSize, parent)
{
}

RunListModel::Run RunListModel::RunAt(int row) const
{
    const Row &values = RowAt(row);
    Run run;
    run.number = values.at(VNumber).toInt();
    run.executed = DisplayText::DateTime(values.at(VExecuted));
    run.pairs = values.at(VPairs).toLongLong();
    run.hasHistory = HasHistory(values);
    run.undone = !values.at(VUndone).isNull();
    return run;
}

PagedQueryModel::Statement RunListModel::PageStatement(const Row *last, int limit) const
{
    Statement statement;
    statement.sql = QLatin1String(SelectRuns);
    if (last) {
        statement.sql += QStringLiteral(" WHERE NRLOGCADAUTO < ?");
        statement.values << last->at(VNumber);
    }
    statement.sql += QStringLiteral(" ORDER BY NRLOGCADAUTO DESC LIMIT %1").arg(limit);
    return statement;
}

QVariant RunListModel::CellData(const Row &row, int column, int role) const
{
    const bool isCount = column == Number || column == Pairs || column == NewPairs || column == ReplacedPairs;
    if (role == Qt::TextAlignmentRole && isCount)
        return QVariant(Qt::AlignRight | Qt::AlignVCenter);
    if (role != Qt::DisplayRole)
        return QVariant();
    switch (column) {
    case Number: return row.at(VNumber);
    case Executed: return DisplayText::DateTime(row.at(VExecuted));
    case User: return row.at(VUser);
    case Scope: return ScopeText(row);
    case Pairs: return Formatted(row.at(VPairs).toLongLong());
    case NewPairs: return HistoryCount(row, VNewPairs);
    case ReplacedPairs: return HistoryCount(row, VReplacedPairs);
    case State: return StateText(row);
    default: return QVariant();
    }
}
