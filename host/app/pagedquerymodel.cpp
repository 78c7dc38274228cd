#include "pagedquerymodel.h"

#include "data/tadoibquery.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

bool PagedQueryModel::ReadRows(const Statement &statement, int limit, QVector<Row> &rows, QString &problem)
{
    QSqlQuery query(QSqlDatabase::database(QString::fromLatin1(TADOIBQuery::ConnectionName)));
    query.setForwardOnly(true);
    bool ok = query.prepare(statement.sql);
    if (ok) {
        for (const QVariant &value : statement.values)
            query.addBindValue(value);
        ok = query.exec();
    }
    if (!ok) {
        problem = query.lastError().text();
        return false;
    }
    const int columns = query.record().count();
    for (int read = 0; read < limit && query.next(); ++read) {
        Row row(columns);
        for (int column = 0; column < columns; ++column)
            row[column] = query.value(column);
        rows.append(row);
    }
    return true;
}

PagedQueryModel::PagedQueryModel(const QStringList &headers, int pageSize, QObject *parent)
    : QAbstractTableModel(parent)
    , m_headers(headers)
    , m_pageSize(qMax(1, pageSize))
{
}

int PagedQueryModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int PagedQueryModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_headers.size());
}

QVariant PagedQueryModel::data(const QModelIndex &index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return QVariant();
    return CellData(m_rows.at(index.row()), index.column(), role);
}

QVariant PagedQueryModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 && section < m_headers.size())
        return m_headers.at(section);
    return QAbstractTableModel::headerData(section, orientation, role);
}

bool PagedQueryModel::canFetchMore(const QModelIndex &parent) const
{
    return !parent.isValid() && !m_allLoaded;
}

void PagedQueryModel::fetchMore(const QModelIndex &parent)
{
    if (canFetchMore(parent))
        ReadPage();
}

void PagedQueryModel::Reload()
{
    beginResetModel();
    m_rows.clear();
    m_allLoaded = false;
    endResetModel();
    const Preparation preparation = Prepare();
    if (!preparation.ok) {
        Fail(preparation.problem);
    } else if (preparation.empty) {
        m_allLoaded = true;
        emit rowsChanged();
    } else {
        ReadPage();
    }
}

void PagedQueryModel::ReadPage()
{
    // One row more than a page tells whether another page follows, without a count.
    const Statement statement = PageStatement(m_rows.isEmpty() ? nullptr : &m_rows.constLast(), m_pageSize + 1);
    QVector<Row> page;
    QString problem;
    if (!ReadRows(statement, m_pageSize + 1, page, problem)) {
        Fail(problem);
        return;
    }
    m_allLoaded = page.size() <= m_pageSize;
    if (!m_allLoaded)
        page.removeLast();
    if (!page.isEmpty()) {
        beginInsertRows(QModelIndex(), int(m_rows.size()), int(m_rows.size() + page.size() - 1));
        m_rows += page;
        endInsertRows();
    }
    emit rowsChanged();
}

void PagedQueryModel::Fail(const QString &problem)
{
    // Asking again would fail again: the list ends where it is.
    m_allLoaded = true;
    QMetaObject::invokeMethod(this, [this, problem] {
        emit loadFailed(tr("Não foi possível ler a lista do banco de dados: %1").arg(problem));
    }, Qt::QueuedConnection);
    emit rowsChanged();
}
