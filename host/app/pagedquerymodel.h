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

    // Runs the statement on "adcGeral" and appends at most `limit` rows; false with the
    // database's reason on failure.
    static bool ReadRows(const Statement &statement, int limit, QVector<Row> &rows, QString &problem);

signals:
    // Rows were read, or the list was emptied.
    void rowsChanged();
    // A page could not be read (the message names the problem). Delivered queued, so
    // that whoever shows it does not do so inside the view's scrolling.
    void loadFailed(const QString &message);

protected:
    // What a subclass works out once per reading of the list, before its first page.
    struct Preparation {
        bool ok = true;
        bool empty = false;    // the list is known to be empty: nothing is read
        QString problem;       // when not ok
    };
    virtual Preparation Prepare() { return Preparation(); }
    // The statement reading, in key order, at most `limit` rows after `last` (null: from
    // the first). Its columns are a row's values.
    virtual Statement PageStatement(const Row *last, int limit) const = 0;
    // What a cell shows for the role (the display role at least).
    virtual QVariant CellData(const Row &row, int column, int role) const = 0;

private:
    void ReadPage();
    // The list stays as it is, reads no more, and the failure is reported.
    void Fail(const QString &problem);

    QStringList m_headers;
    int m_pageSize;
    QVector<Row> m_rows;
    bool m_allLoaded = true;
};
