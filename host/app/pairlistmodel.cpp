#include "pairlistmodel.h"

#include "displaytext.h"
#include "sqllike.h"

namespace {

// Positions of the values in a row read by the statement below.
enum Value {
    VSupplier, VSupplierName, VBranch, VBranchName, VRegion, VRegionName,
    VPeriodicity, VPeriodicityName, VLeadTime, VAuthor, VChanged
};

const char *const SelectPairs =
    "SELECT F.CDFORNECED, S.NMFANTFORN, F.CDFILIAL, L.NMFILIAL, L.CDREGIAO, R.NMREGIAO,"
    " F.CDPERIENTR, P.NMPERIENTR, F.QTDIASPRAZEXPED, F.NMUSUULTALTER, F.DTULTALTER"
    " FROM FORNATENDE F"
    " JOIN FORNECEDOR S ON S.CDFORNECED = F.CDFORNECED"
    " JOIN FILIAL L ON L.CDFILIAL = F.CDFILIAL"
    " JOIN REGIAO R ON R.CDREGIAO = L.CDREGIAO"
    " LEFT JOIN PERIENTR P ON P.CDPERIENTR = F.CDPERIENTR";

// Conditions joined by AND, with their bound values in order.
class Conditions {
public:
    void Add(const QString &condition, const QVariantList &values = QVariantList())
    {
        m_texts << condition;
        m_values += values;
    }
    // "code starts with the text or name contains it"; nothing for a blank text.
    void AddCodeOrName(const QString &text, const QString &codeColumn, const QString &nameColumn)
    {
        const QString typed = text.trimmed();
        if (typed.isEmpty())
            return;
        Add(QStringLiteral("(%1 OR %2)").arg(SqlLike::Term(codeColumn), SqlLike::Term(nameColumn)),
            {SqlLike::StartingWith(typed), SqlLike::Containing(typed)});
    }
    bool IsEmpty() const { return m_texts.isEmpty(); }
    // " WHERE a AND b", or nothing when there is no condition.
    QString Where() const
    {
        return m_texts.isEmpty() ? QString() : QStringLiteral(" WHERE ") + m_texts.join(QStringLiteral(" AND "));
    }
    QVariantList Values() const { return m_values; }

private:
    QStringList m_texts;
    QVariantList m_values;
};

// The branches the branch and region filters leave; empty when neither is set.
Conditions BranchConditions(const PairFilter &filter)
{
    Conditions branches;
    branches.AddCodeOrName(filter.branch, QStringLiteral("CDFILIAL"), QStringLiteral("NMFILIAL"));
    Conditions regions;
    regions.AddCodeOrName(filter.region, QStringLiteral("CDREGIAO"), QStringLiteral("NMREGIAO"));
    if (!regions.IsEmpty())
        branches.Add(QStringLiteral("CDREGIAO IN (SELECT CDREGIAO FROM REGIAO%1)").arg(regions.Where()),
                     regions.Values());
    return branches;
}

} // namespace

PairListModel::PairListModel(int pageSize, QObject *parent)
    : PagedQueryModel({tr("Fornecedor"), tr("Nome fantasia"), tr("Filial"), tr("Nome da filial"), tr("Região"),
                       tr("Periodicidade"), tr("Prazo (dias)"), tr("Alterado por"), tr("Alterado em")},
                      pageSize, parent)
{
}

void PairListModel::SetFilter(const PairFilter &filter)
{
    m_filter = filter;
}

PagedQueryModel::Statement PairListModel::PageStatement(const Row *last, int limit) const
{
    // The suppliers come as a list in code order (an IN over FORNECEDOR, from the last
    // page's supplier on); for each, its pairs through the primary key. With a branch or
    // region filter the branches come as a second list, and each (supplier, branch) is
    // one look-up in the primary key: the pair table is read only where rows match.
    Conditions suppliers;
    if (last)
        suppliers.Add(QStringLiteral("CDFORNECED >= ?"), {last->at(VSupplier)});
    suppliers.AddCodeOrName(m_filter.supplier, QStringLiteral("CDFORNECED"), QStringLiteral("NMFANTFORN"));

    Conditions pairs;
    pairs.Add(QStringLiteral("F.CDFORNECED IN (SELECT CDFORNECED FROM FORNECEDOR%1)").arg(suppliers.Where()),
              suppliers.Values());
    const Conditions branches = BranchConditions(m_filter);
    if (!branches.IsEmpty())
        pairs.Add(QStringLiteral("F.CDFILIAL IN (SELECT CDFILIAL FROM FILIAL%1)").arg(branches.Where()),
                  branches.Values());
    if (last)
        pairs.Add(QStringLiteral("(F.CDFORNECED > ? OR F.CDFILIAL > ?)"), {last->at(VSupplier), last->at(VBranch)});

    return Statement{QLatin1String(SelectPairs) + pairs.Where()
                         + QStringLiteral(" ORDER BY F.CDFORNECED, F.CDFILIAL LIMIT %1").arg(limit),
                     pairs.Values()};
}

QVariant PairListModel::CellData(const Row &row, int column, int role) const
{
    if (role == Qt::TextAlignmentRole && column == LeadTime)
        return QVariant(Qt::AlignRight | Qt::AlignVCenter);
    if (role != Qt::DisplayRole)
        return QVariant();
    switch (column) {
    case Supplier: return row.at(VSupplier);
    case SupplierName: return row.at(VSupplierName);
    case Branch: return row.at(VBranch);
    case BranchName: return row.at(VBranchName);
    case Region: return DisplayText::CodeAndName(row.at(VRegion), row.at(VRegionName));
    case Periodicity:
        return row.at(VPeriodicity).isNull() ? QString()
                                             : DisplayText::CodeAndName(row.at(VPeriodicity), row.at(VPeriodicityName));
    case LeadTime: return row.at(VLeadTime);
    case Author: return row.at(VAuthor);
    case Changed: return DisplayText::DateTime(row.at(VChanged));
    default: return QVariant();
    }
}
