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
    // "column IN (?, ?, …)" over the codes.
    void AddIn(const QString &column, const QStringList &codes)
    {
        QStringList marks;
        QVariantList values;
        for (const QString &code : codes) {
            marks << QStringLiteral("?");
            values << code;
        }
        Add(QStringLiteral("%1 IN (%2)").arg(column, marks.join(QStringLiteral(", "))), values);
    }
    void Append(const Conditions &other)
    {
        m_texts += other.m_texts;
        m_values += other.m_values;
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

Conditions SupplierFilter(const PairFilter &filter)
{
    Conditions suppliers;
    suppliers.AddCodeOrName(filter.supplier, QStringLiteral("CDFORNECED"), QStringLiteral("NMFANTFORN"));
    return suppliers;
}

// The branch filter and, through the branches' regions, the region filter.
Conditions BranchFilter(const PairFilter &filter)
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

// The codes the filter leaves in the table, when there are at most `maxListed` of them;
// false with the reason when they cannot be read.
bool Narrow(const QString &codeColumn, const QString &table, const Conditions &filter, int maxListed,
            PairListModel::Narrowing &narrowing, QString &problem)
{
    narrowing = PairListModel::Narrowing();
    narrowing.active = !filter.IsEmpty();
    if (!narrowing.active)
        return true;
    QVector<PagedQueryModel::Row> rows;
    const PagedQueryModel::Statement statement{
        QStringLiteral("SELECT %1 FROM %2%3 ORDER BY %1 LIMIT %4")
            .arg(codeColumn, table, filter.Where())
            .arg(maxListed + 1),
        filter.Values()};
    if (!PagedQueryModel::ReadRows(statement, maxListed + 1, rows, problem))
        return false;
    narrowing.listed = rows.size() <= maxListed;
    if (narrowing.listed) {
        for (const PagedQueryModel::Row &row : rows)
            narrowing.codes << row.at(0).toString();
    }
    return true;
}

} // namespace

PairListModel::PairListModel(int pageSize, int maxListedCodes, QObject *parent)
    : PagedQueryModel({tr("Fornecedor"), tr("Nome fantasia"), tr("Filial"), tr("Nome da filial"), tr("Região"),
                       tr("Periodicidade"), tr("Prazo (dias)"), tr("Alterado por"), tr("Alterado em")},
                      pageSize, parent)
    , m_maxListedCodes(qMax(0, maxListedCodes))
{
}

void PairListModel::SetFilter(const PairFilter &filter)
{
    m_filter = filter;
}

PagedQueryModel::Preparation PairListModel::Prepare()
{
    // Few matching suppliers or branches are named by code in the statements: both
    // engines then know how many pairs to expect (PostgreSQL would otherwise guess from
    // the LIKE and might walk the whole pair table for a name that matches nothing), and
    // a filter that matches none needs no statement at all.
    Preparation preparation;
    if (!Narrow(QStringLiteral("CDFORNECED"), QStringLiteral("FORNECEDOR"), SupplierFilter(m_filter),
                m_maxListedCodes, m_suppliers, preparation.problem)
        || !Narrow(QStringLiteral("CDFILIAL"), QStringLiteral("FILIAL"), BranchFilter(m_filter), m_maxListedCodes,
                   m_branches, preparation.problem)) {
        preparation.ok = false;
        return preparation;
    }
    preparation.empty = (m_suppliers.listed && m_suppliers.codes.isEmpty())
                        || (m_branches.listed && m_branches.codes.isEmpty());
    return preparation;
}

PagedQueryModel::Statement PairListModel::PageStatement(const Row *last, int limit) const
{
    // The suppliers come as a list in code order (an IN over FORNECEDOR, from the last
    // page's supplier on); for each, its pairs through the primary key. With a branch or
    // region filter the branches come as a second list, and each (supplier, branch) is
    // one look-up in the primary key.
    Conditions suppliers;
    if (m_suppliers.listed)
        suppliers.AddIn(QStringLiteral("CDFORNECED"), m_suppliers.codes);
    else if (m_suppliers.active)
        suppliers.Append(SupplierFilter(m_filter));
    if (last)
        suppliers.Add(QStringLiteral("CDFORNECED >= ?"), {last->at(VSupplier)});

    Conditions pairs;
    pairs.Add(QStringLiteral("F.CDFORNECED IN (SELECT CDFORNECED FROM FORNECEDOR%1)").arg(suppliers.Where()),
              suppliers.Values());
    if (m_branches.listed) {
        pairs.AddIn(QStringLiteral("F.CDFILIAL"), m_branches.codes);
    } else if (m_branches.active) {
        const Conditions branches = BranchFilter(m_filter);
        pairs.Add(QStringLiteral("F.CDFILIAL IN (SELECT CDFILIAL FROM FILIAL%1)").arg(branches.Where()),
                  branches.Values());
    }
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
