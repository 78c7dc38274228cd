#include "pesqdialog.h"

#include "pesqlista.h"

#include "data/tdataset.h"
#include "data/tdatasource.h"
#include "data/tdbgrid.h"
#include "data/tfield.h"

#include <QHBoxLayout>
#include <QItemSelection>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

PesqDialog::PesqDialog(QWidget *parent, TDataSource *source, const QString &caption, Mode mode,
                       const QStringList &searchFields)
    : QDialog(parent)
    , m_source(source)
    , m_mode(mode)
    , m_searchFields(searchFields)
{
    setWindowTitle(caption);
    resize(480, 360);

    m_search = new QLineEdit(this);
    m_search->setObjectName(QStringLiteral("edtProcura"));
    m_search->setPlaceholderText(QStringLiteral("Procurar"));

    m_grid = new TDBGrid(this);
    m_grid->setObjectName(QStringLiteral("dbgLista"));
    m_grid->SetDataSource(source);
    m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);

    m_ok = new QPushButton(QStringLiteral("OK"), this);
    m_ok->setObjectName(QStringLiteral("btnOk"));
    m_ok->setDefault(true);
    m_cancel = new QPushButton(QStringLiteral("Cancelar"), this);
    m_cancel->setObjectName(QStringLiteral("btnCancelar"));
    m_cancel->setAutoDefault(false);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_ok);
    buttons->addWidget(m_cancel);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_search);
    layout->addWidget(m_grid, 1);
    layout->addLayout(buttons);

    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_search, &QLineEdit::textEdited, this, &PesqDialog::Search);

    m_grid->OnKeyDown = [this](int &key, Qt::KeyboardModifiers) {
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            key = 0;
            accept();
        } else if (key == Qt::Key_Space && m_mode == Mode::MarkMany) {
            key = 0;
            ToggleMark(CurrentRow());
        }
    };
    if (mode == Mode::PickOne) {
        m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
        m_grid->OnDblClick = [this] { accept(); };
    } else {
        // Marks are kept in the selection model by this dialog alone: the view's own
        // selection handling would toggle rows whenever the cursor moves.
        m_grid->setSelectionMode(QAbstractItemView::NoSelection);
        connect(m_grid, &QAbstractItemView::clicked, this,
                [this](const QModelIndex &index) { ToggleMark(index.row()); });
    }
    m_grid->setFocus();
}

int PesqDialog::CurrentRow() const
{
    const QModelIndex current = m_grid->currentIndex();
    if (current.isValid())
        return current.row();
    TDataSet *dataSet = m_source ? m_source->DataSet() : nullptr;
    return dataSet ? dataSet->RecNo() : -1;
}

void PesqDialog::ToggleMark(int row)
{
    QAbstractItemModel *model = m_grid->model();
    if (!model || row < 0 || row >= model->rowCount())
        return;
    m_grid->selectionModel()->select(model->index(row, 0),
                                     QItemSelectionModel::Toggle | QItemSelectionModel::Rows);
}

void PesqDialog::MarkRowsWithKeys(TField *keyField, const QSet<QString> &keys)
{
    QAbstractItemModel *model = m_grid->model();
    if (!model || !keyField || keys.isEmpty())
        return;
    // One selection of contiguous ranges, applied at once: long lists stay fast.
    QItemSelection marks;
    const int rows = model->rowCount();
    const int lastColumn = qMax(0, model->columnCount() - 1);
    int start = -1;
    for (int row = 0; row <= rows; ++row) {
        const bool marked = row < rows && keys.contains(keyField->ValueAt(row).toString().trimmed());
        if (marked && start < 0) {
            start = row;
        } else if (!marked && start >= 0) {
            marks.append(QItemSelectionRange(model->index(start, 0), model->index(row - 1, lastColumn)));
            start = -1;
        }
    }
    m_grid->selectionModel()->select(marks, QItemSelectionModel::Select | QItemSelectionModel::Rows);
}

QVector<int> PesqDialog::MarkedRows() const
{
    QVector<int> rows;
    QAbstractItemModel *model = m_grid->model();
    if (!model)
        return rows;
    const QModelIndexList selected = m_grid->selectionModel()->selectedRows();
    rows.reserve(selected.size());
    for (const QModelIndex &index : selected)
        rows.append(index.row());
    std::sort(rows.begin(), rows.end());
    return rows;
}

void PesqDialog::Search(const QString &text)
{
    TDataSet *dataSet = m_source ? m_source->DataSet() : nullptr;
    if (dataSet && !text.isEmpty())
        Pesqlista::LocateAll(dataSet, m_searchFields, text);
}
