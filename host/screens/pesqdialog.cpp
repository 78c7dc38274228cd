#include "pesqdialog.h"

#include "pesqlista.h"

#include "data/tdataset.h"
#include "data/tdatasource.h"
#include "data/tdbgrid.h"
#include "data/tfield.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QVBoxLayout>

// Marked rows are drawn selected, with a check mark before the first column's text;
// the cursor row shows only its focus frame.
class PesqDialog::MarkDelegate : public QStyledItemDelegate {
public:
    MarkDelegate(PesqDialog *dialog, TDBGrid *grid)
        : QStyledItemDelegate(grid), m_dialog(dialog), m_grid(grid) {}

protected:
    void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override
    {
        QStyledItemDelegate::initStyleOption(option, index);
        const bool marked = m_dialog->IsMarked(index.row());
        option->state.setFlag(QStyle::State_Selected, marked);
        if (marked && index.column() == FirstVisibleColumn())
            option->text = QStringLiteral("\u2713 ") + option->text;
    }

private:
    int FirstVisibleColumn() const
    {
        for (int c = 0; m_grid->model() && c < m_grid->model()->columnCount(); ++c) {
            if (!m_grid->isColumnHidden(c))
                return c;
        }
        return 0;
    }

    PesqDialog *m_dialog;
    TDBGrid *m_grid;
};

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
    m_search->setPlaceholderText(tr("Procurar"));

    m_grid = new TDBGrid(this);
    m_grid->setObjectName(QStringLiteral("dbgLista"));
    m_grid->SetDataSource(source);
    m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);

    m_ok = new QPushButton(tr("OK"), this);
    m_ok->setObjectName(QStringLiteral("btnOk"));
    m_ok->setDefault(true);
    m_cancel = new QPushButton(tr("Cancelar"), this);
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
        m_grid->setSelectionMode(QAbstractItemView::NoSelection);
        m_grid->setItemDelegate(new MarkDelegate(this, m_grid));
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

void PesqDialog::EnsureMarkRows()
{
    QAbstractItemModel *model = m_grid->model();
    const size_t rows = model ? size_t(model->rowCount()) : 0;
    if (m_marks.size() != rows)
        m_marks.assign(rows, 0);
}

bool PesqDialog::IsMarked(int row) const
{
    return row >= 0 && size_t(row) < m_marks.size() && m_marks[size_t(row)];
}

void PesqDialog::ToggleMark(int row)
{
    EnsureMarkRows();
    if (row < 0 || size_t(row) >= m_marks.size())
        return;
    m_marks[size_t(row)] = !m_marks[size_t(row)];
    m_grid->viewport()->update();
}

void PesqDialog::MarkRowsWithKeys(TField *keyField, const std::function<bool(const QString &key)> &isChosen)
{
    EnsureMarkRows();
    if (!keyField || !isChosen)
        return;
    for (size_t row = 0; row < m_marks.size(); ++row) {
        if (isChosen(keyField->ValueAt(int(row)).toString().trimmed()))
            m_marks[row] = 1;
    }
    m_grid->viewport()->update();
}

QVector<int> PesqDialog::MarkedRows() const
{
    QVector<int> rows;
    for (size_t row = 0; row < m_marks.size(); ++row) {
        if (m_marks[row])
            rows.append(int(row));
    }
    return rows;
}

void PesqDialog::Search(const QString &text)
{
    TDataSet *dataSet = m_source ? m_source->DataSet() : nullptr;
    if (dataSet && !text.isEmpty())
        Pesqlista::LocateAll(dataSet, m_searchFields, text);
}
