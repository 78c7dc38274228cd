#include "tdbgrid.h"

#include "runtime/errors.h"
#include "runtime/guard.h"
#include "tdataset.h"
#include "tdatasource.h"
#include "tfield.h"

#include <QHeaderView>
#include <QIdentityProxyModel>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyledItemDelegate>

// The data set seen through the grid's columns: titles and alignment from the
// TColumn, editing only when the grid allows it for that column.
class TDBGrid::ColumnModel : public QIdentityProxyModel {
public:
    explicit ColumnModel(TDBGrid *grid) : QIdentityProxyModel(grid), m_grid(grid) {}

    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        if (orientation == Qt::Horizontal) {
            if (const TColumn *column = m_grid->ColumnForField(section)) {
                if (role == Qt::DisplayRole)
                    return column->TitleCaption.isEmpty() && column->Field ? column->Field->DisplayLabel
                                                                           : column->TitleCaption;
                if (role == Qt::TextAlignmentRole)
                    return int(column->TitleAlignment);
            }
        }
        return QIdentityProxyModel::headerData(section, orientation, role);
    }

    Qt::ItemFlags flags(const QModelIndex &index) const override
    {
        Qt::ItemFlags result = QIdentityProxyModel::flags(index);
        const TColumn *column = index.isValid() ? m_grid->ColumnForField(index.column()) : nullptr;
        if (m_grid->ReadOnly() || !m_grid->Editing() || !column || column->ReadOnly)
            result &= ~Qt::ItemIsEditable;
        return result;
    }

    bool setData(const QModelIndex &index, const QVariant &value, int role) override
    {
        TDataSet *dataSet = m_grid->DataSet();
        if (role != Qt::EditRole || !dataSet || !(flags(index) & Qt::ItemIsEditable))
            return false;
        // A value the field refuses is reported; the editor closes without a change.
        return Guard::Run(m_grid, [&] { dataSet->SetCellValue(index.row(), index.column(), value); });
    }

private:
    TDBGrid *m_grid;
};

// Default painting of a cell, then the grid's OnDrawColumnCell on top of it.
class TDBGrid::CellDelegate : public QStyledItemDelegate {
public:
    explicit CellDelegate(TDBGrid *grid) : QStyledItemDelegate(grid), m_grid(grid) {}

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        QStyledItemDelegate::paint(painter, option, index);
        if (!m_grid->OnDrawColumnCell)
            return;
        const size_t field = size_t(index.column());
        const int column = field < m_grid->m_fieldToColumn.size() ? m_grid->m_fieldToColumn[field] : -1;
        if (column < 0)
            return;
        // Field reads inside the hook refer to the row being drawn.
        const TDataSet *dataSet = m_grid->DataSet();
        const int previousRow = dataSet ? dataSet->SetDrawingRow(index.row()) : -1;
        painter->save();
        try {
            m_grid->OnDrawColumnCell(painter, option.rect, column, m_grid->Columns(column), option.state);
        } catch (const std::exception &error) {
            // No dialog from inside painting; the cell simply keeps the default look.
            qWarning("TDBGrid: erro ao desenhar célula: %s", error.what());
        }
        if (dataSet)
            dataSet->SetDrawingRow(previousRow);
        painter->restore();
    }

private:
    TDBGrid *m_grid;
};

TDBGrid::TDBGrid(QWidget *parent)
    : QTableView(parent),
      m_model(new ColumnModel(this)),
      m_delegate(new CellDelegate(this))
{
    setModel(m_model);
    setItemDelegate(m_delegate);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed);
    setTabKeyNavigation(true);
    setSortingEnabled(false);
    setWordWrap(false);
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    horizontalHeader()->setSectionsClickable(true);
    horizontalHeader()->setHighlightSections(false);
    connect(horizontalHeader(), &QHeaderView::sectionClicked, this, &TDBGrid::TitleClicked);
    connect(m_model, &QAbstractItemModel::modelReset, this, &TDBGrid::AfterModelReset);
}

TDBGrid::~TDBGrid()
{
    // Nothing may reach back into the grid while it is being taken apart.
    for (const auto &c : qAsConst(m_sourceConnections))
        disconnect(c);
    for (const auto &c : qAsConst(m_dataSetConnections))
        disconnect(c);
}

// ---- data source and data set ----------------------------------------------------

TDataSource *TDBGrid::DataSource() const
{
    return m_source;
}

void TDBGrid::SetDataSource(TDataSource *source)
{
    if (source == m_source)
        return;
    for (const auto &c : qAsConst(m_sourceConnections))
        disconnect(c);
    m_sourceConnections.clear();
    m_source = source;
    if (source) {
        m_sourceConnections << connect(source, &TDataSource::dataSetChanged, this, &TDBGrid::AttachDataSet);
        m_sourceConnections << connect(source, &QObject::destroyed, this, [this] {
            m_source = nullptr;
            AttachDataSet(nullptr);
        });
    }
    AttachDataSet(source ? source->DataSet() : nullptr);
}

TDataSet *TDBGrid::DataSet() const
{
    return m_dataSet.data();
}

void TDBGrid::AttachDataSet(TDataSet *dataSet)
{
    for (const auto &c : qAsConst(m_dataSetConnections))
        disconnect(c);
    m_dataSetConnections.clear();
    m_dataSet = dataSet;
    m_columns.clear();
    m_fieldToColumn.clear();
    m_model->setSourceModel(dataSet);
    if (dataSet) {
        m_dataSetConnections << connect(dataSet, &TDataSet::currentRowChanged, this, &TDBGrid::SyncFromCursor);
        m_dataSetConnections << connect(dataSet, &TDataSet::fieldsChanged, this, &TDBGrid::RebuildColumns);
        m_dataSetConnections << connect(dataSet, &QObject::destroyed, this, [this] {
            m_columns.clear();
            m_fieldToColumn.clear();
        });
    }
    RebuildColumns();
    SyncFromCursor();
}

// ---- columns ---------------------------------------------------------------------

void TDBGrid::RebuildColumns()
{
    std::vector<TColumn> previous = std::move(m_columns);
    m_columns.clear();
    TDataSet *dataSet = DataSet();
    const int fieldCount = dataSet ? dataSet->FieldCount() : 0;
    m_fieldToColumn.assign(size_t(fieldCount), -1);
    for (int i = 0; i < fieldCount; ++i) {
        TField *field = dataSet->Fields(i);
        setColumnHidden(i, !field->Visible);
        if (!field->Visible)
            continue;
        TColumn column;
        column.Field = field;
        for (const TColumn &old : previous) {
            if (old.Field == field) {
                column = old;
                break;
            }
        }
        m_fieldToColumn[size_t(i)] = int(m_columns.size());
        m_columns.push_back(column);
    }
    for (const TColumn &column : m_columns)
        setColumnWidth(column.Field->Index(), column.Width >= 0 ? column.Width : DefaultWidth(column));
    if (fieldCount > 0)
        m_model->headerDataChanged(Qt::Horizontal, 0, fieldCount - 1);
}

int TDBGrid::DefaultWidth(const TColumn &column) const
{
    // The display width in characters of the font's average width, plus the cell's
    // margins; never narrower than the title.
    const QFontMetrics metrics = fontMetrics();
    const int margins = 2 * (style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1) + 4;
    const QString title = column.TitleCaption.isEmpty() ? column.Field->DisplayLabel : column.TitleCaption;
    const int text = column.Field->DisplayWidth * metrics.averageCharWidth();
    return qMax(text, metrics.horizontalAdvance(title)) + margins;
}

void TDBGrid::AfterModelReset()
{
    // A reset may follow a change of the fields' visibility made while the data set's
    // controls were suspended: rebuild when the visible fields differ.
    TDataSet *dataSet = DataSet();
    bool same = dataSet && size_t(dataSet->FieldCount()) == m_fieldToColumn.size();
    for (int i = 0; same && i < dataSet->FieldCount(); ++i) {
        const int column = m_fieldToColumn[size_t(i)];
        same = dataSet->Fields(i)->Visible == (column >= 0)
               && (column < 0 || m_columns[size_t(column)].Field == dataSet->Fields(i));
    }
    if (!same)
        RebuildColumns();
    else if (dataSet && dataSet->FieldCount() > 0)
        m_model->headerDataChanged(Qt::Horizontal, 0, dataSet->FieldCount() - 1);
    SyncFromCursor();
}

int TDBGrid::ColumnCount() const
{
    return int(m_columns.size());
}

TColumn &TDBGrid::Columns(int index)
{
    if (index < 0 || index >= ColumnCount())
        throw EDatabaseError(tr("Coluna %1 inexistente na grade.").arg(index));
    return m_columns[size_t(index)];
}

TColumn *TDBGrid::ColumnForField(int fieldIndex)
{
    if (fieldIndex < 0 || size_t(fieldIndex) >= m_fieldToColumn.size())
        return nullptr;
    const int column = m_fieldToColumn[size_t(fieldIndex)];
    return column < 0 ? nullptr : &m_columns[size_t(column)];
}

int TDBGrid::ColumnOfField(const TField *field) const
{
    if (!field || field->Index() < 0 || size_t(field->Index()) >= m_fieldToColumn.size())
        return -1;
    const int column = m_fieldToColumn[size_t(field->Index())];
    return column >= 0 && m_columns[size_t(column)].Field == field ? column : -1;
}

int TDBGrid::SelectedIndex() const
{
    const QModelIndex current = currentIndex();
    if (!current.isValid() || size_t(current.column()) >= m_fieldToColumn.size())
        return -1;
    return m_fieldToColumn[size_t(current.column())];
}

void TDBGrid::SetSelectedIndex(int column)
{
    if (column < 0 || column >= ColumnCount())
        return;
    const int row = currentIndex().isValid() ? currentIndex().row() : 0;
    if (row >= m_model->rowCount())
        return;
    setCurrentIndex(m_model->index(row, m_columns[size_t(column)].Field->Index()));
}

TField *TDBGrid::SelectedField() const
{
    const int column = SelectedIndex();
    return column < 0 ? nullptr : m_columns[size_t(column)].Field;
}

// ---- cursor ----------------------------------------------------------------------

void TDBGrid::SyncFromCursor()
{
    TDataSet *dataSet = DataSet();
    if (m_syncing || !dataSet || m_columns.empty())
        return;
    const int row = dataSet->RecNo();
    if (row < 0 || row >= m_model->rowCount())
        return;
    int field = currentIndex().isValid() ? currentIndex().column() : -1;
    if (field < 0 || isColumnHidden(field))
        field = m_columns.front().Field->Index();
    const QModelIndex target = m_model->index(row, field);
    m_syncing = true;
    selectionModel()->setCurrentIndex(target, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    scrollTo(target);
    m_syncing = false;
}

void TDBGrid::currentChanged(const QModelIndex &current, const QModelIndex &previous)
{
    QTableView::currentChanged(current, previous);
    TDataSet *dataSet = DataSet();
    if (m_syncing || !dataSet || !current.isValid())
        return;
    if (current.row() != dataSet->RecNo()) {
        m_syncing = true;
        Guard::Run(this, [&] { dataSet->SetRecNo(current.row()); });
        m_syncing = false;
    }
    if (previous.isValid() && current.column() != previous.column() && OnColEnter)
        Guard::Run(this, [&] { OnColEnter(); });
}

// ---- input -----------------------------------------------------------------------

void TDBGrid::keyPressEvent(QKeyEvent *event)
{
    int key = event->key();
    if (OnKeyDown) {
        if (!Guard::Run(this, [&] { OnKeyDown(key, event->modifiers()); }) || key == 0) {
            event->accept();
            return;
        }
    }
    QString text = event->text();
    if (OnKeyPress && !text.isEmpty() && text.at(0).isPrint()) {
        QChar typed = text.at(0);
        if (!Guard::Run(this, [&] { OnKeyPress(typed); }) || typed.isNull()) {
            event->accept();
            return;
        }
        text = QString(typed);
    }
    if (key == event->key() && text == event->text()) {
        QTableView::keyPressEvent(event);
        return;
    }
    // A handler replaced the key or the character: go on with the replacement.
    QKeyEvent replaced(event->type(), key, event->modifiers(), text, event->isAutoRepeat(), ushort(event->count()));
    QTableView::keyPressEvent(&replaced);
    event->setAccepted(replaced.isAccepted());
}

void TDBGrid::mouseDoubleClickEvent(QMouseEvent *event)
{
    QTableView::mouseDoubleClickEvent(event);
    if (OnDblClick && indexAt(event->position().toPoint()).isValid())
        Guard::Run(this, [&] { OnDblClick(); });
}

void TDBGrid::TitleClicked(int fieldIndex)
{
    TColumn *column = ColumnForField(fieldIndex);
    if (column && OnTitleClick)
        Guard::Run(this, [&] { OnTitleClick(*column); });
}
