#pragma once
// What the host's list windows share: the grid over a paged list and the report of a
// list that could not be read.

#include <QString>

class PagedQueryModel;
class QLabel;
class QTableView;
class QWidget;

namespace ListWindow {

// Puts the list in the grid: rows of one fixed height (so that a long list costs
// nothing to lay out), columns sized to the first rows read.
void SetUpGrid(QTableView *grid, PagedQueryModel *model);
// Shows in an error box over the window each failure of the list to read a page.
void ReportFailures(QWidget *window, PagedQueryModel *model);

// What the count label says, "%1" standing for the number of rows.
struct CountTexts {
    QString more;    // rows read so far, more to come
    QString none;
    QString one;
    QString many;    // every row read
};
// Keeps the label saying how many rows the list holds.
void ShowCountIn(QLabel *label, PagedQueryModel *model, const CountTexts &texts);

} // namespace ListWindow
