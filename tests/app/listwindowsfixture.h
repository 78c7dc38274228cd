#pragma once
// What the tests of the host's list windows share on SQLite and on PostgreSQL: the pairs
// they list and the filter cases with what each must leave, and the driving of the
// windows with real key events.
//
// The pairs: the sample data's suppliers and branches plus suppliers whose fantasy
// names hold LIKE's wildcards, a quote and a backslash, each beside a look-alike that
// only a wildcard read as such would match; every supplier serves every branch, so a
// filter leaves the pairs of the suppliers and branches it matches.

#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <QVariantList>

class QAbstractItemModel;
class QTableView;
class QWidget;

namespace ListWindowsFixture {

// Runs the statement with the values bound in order; false (with a warning) on failure.
bool Exec(const QSqlDatabase &db, const QString &sql, const QVariantList &values = QVariantList());

// Adds the suppliers above and registers every supplier at every branch, through the
// connection; false (with a warning) when a statement fails.
bool LoadPairs(const QSqlDatabase &db);
QStringList SupplierCodes();   // every supplier once the pairs are loaded, in code order
QStringList BranchCodes();     // every branch of the sample data, in code order

// Columns and rows of the filter cases: the field typed into, the text typed, the
// suppliers and branches whose pairs must be listed.
void FilterCaseColumns();
void FilterCaseRows();

// Every (supplier, branch) of the two lists, supplier first, in that order.
QList<QStringList> CrossPairs(const QStringList &suppliers, const QStringList &branches);

// Types the text into the window's line edit of that name with key events, then waits
// until the window took the typing pause as the end of the filter.
void TypeFilter(QWidget *window, const QString &field, const QString &text);
// Presses Ctrl+End in the grid until its list has no more pages.
void ScrollToEnd(QTableView *grid);
// The (first column, third column) pairs the grid lists, in its order: supplier and
// branch codes in "Fornecedores que atendem".
QList<QStringList> ListedPairs(const QAbstractItemModel *model);

} // namespace ListWindowsFixture
