#include "listwindow.h"

#include "pagedquerymodel.h"
#include "runtime/guard.h"

#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QTableView>
#include <memory>

namespace ListWindow {

namespace {

// The rows whose texts size the columns.
constexpr int SizingRows = 40;

} // namespace

void SetUpGrid(QTableView *grid, PagedQueryModel *model)
{
    grid->setModel(model);
    grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grid->verticalHeader()->setDefaultSectionSize(grid->fontMetrics().height() + 8);
    grid->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    // Columns are sized by the first rows only: measuring text is the costly part of
    // opening a window.
    grid->horizontalHeader()->setResizeContentsPrecision(SizingRows);
    // Once, when the first rows arrive: later reads keep the widths the user sees.
    auto fitted = std::make_shared<QMetaObject::Connection>();
    *fitted = QObject::connect(model, &PagedQueryModel::rowsChanged, grid, [grid, model, fitted] {
        if (model->rowCount() == 0)
            return;
        grid->resizeColumnsToContents();
        QObject::disconnect(*fitted);
    });
}

void ReportFailures(QWidget *window, PagedQueryModel *model)
{
    QObject::connect(model, &PagedQueryModel::loadFailed, window,
                     [window](const QString &message) { Guard::ShowError(window, message); });
}

void ShowCountIn(QLabel *label, PagedQueryModel *model, const CountTexts &texts)
{
    QObject::connect(model, &PagedQueryModel::rowsChanged, label, [label, model, texts] {
        const int rows = model->rowCount();
        const QString count = QLocale().toString(rows);
        if (!model->AllLoaded())
            label->setText(texts.more.arg(count));
        else if (rows == 0)
            label->setText(texts.none);
        else
            label->setText(rows == 1 ? texts.one : texts.many.arg(count));
    });
}

} // namespace ListWindow
