#pragma once
// A read-only list over the host's read connection "adcGeral" that reads its rows a page
// at a time, the way a view asks for them (canFetchMore/fetchMore when it is scrolled to
// the end). Pages follow each other by key (keyset pagination): each page's statement
// asks for the rows after the last one read, in the order of an indexed key, so a page
// costs the same at the start of a million rows as at their end, and nothing counts or
// skips the rows before it.
//
// A subclass says which statement reads the page after a given row and how a row shows.

#include <QAbstractTableModel>
#include <QStringList>
#include <QVariant>
#include <QVariantList>
#include <QVector>

class PagedQueryModel : public QAbstractTableModel {
    Q_OBJECT
public:
    using Row = QVector<QVariant>;
    struct Statement {
        QString sql;
        QVariantList values;   // bound in order to its '?'
    };

    static constexpr int DefaultPageSize = 200;

    explicit PagedQueryModel(const QStringList &headers, int pageSize = DefaultPageSize,
                             QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    bool canFetchMore(const QModelIndex &parent) const override;
    void fetchMore(const QModelIndex &parent) override;

    // Empties the list and reads its first page.
    void Reload();
    // True once the last page was read: rowCount() is then the whole count.
    bool AllLoaded() const { return m_allLoaded; }
    int PageSize() const { return m_pageSize; }
    const Row &RowAt(int row) const { return m_rows.at(row); }

signals:
    // Rows were read, or the list was emptied.
    void rowsChanged();
    // A page could not be read (the message names the problem). Delivered queued, so
    // that whoever shows it does not do so inside the view's scrolling.
    void loadFailed(const QString &message);

protected:
    // The statement reading, in key order, at most `limit` rows after `last` (null: from
    // the first). Its columns are a row's values.
    virtual Statement PageStatement(const Row *last, int limit) const = 0;
    // What a cell shows for the role (the display role at least).
    virtual QVariant CellData(const Row &row, int column, int role) const = 0;

private:
    void ReadPage();

    QStringList m_headers;
    int m_pageSize;
    QVector<Row> m_rows;
    bool m_allLoaded = true;
};
