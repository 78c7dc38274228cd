#pragma once
// What the host's list windows share: the grid over a paged list and the report of a
// list that could not be read.

class PagedQueryModel;
class QTableView;
class QWidget;

namespace ListWindow {

// Puts the list in the grid: rows of one fixed height (so that a long list costs
// nothing to lay out), columns sized to the first rows read.
void SetUpGrid(QTableView *grid, PagedQueryModel *model);
// Shows in an error box over the window each failure of the list to read a page.
void ReportFailures(QWidget *window, PagedQueryModel *model);

} // namespace ListWindow
