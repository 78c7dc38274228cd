#pragma once
// Grid bound to a data source. Its columns follow the data set's visible fields (one
// column per visible field, in field order, titled with the display label), and its
// current row follows the data set's cursor both ways.
//
// Screen code reacts through the On... handlers; keyboard handlers run before the
// grid's own handling and can consume the key by setting it to 0 / a null character.

#include "hostlib_export.h"

#include <QList>
#include <QPointer>
#include <QRect>
#include <QStyle>
#include <QTableView>
#include <functional>
#include <vector>

class QPainter;
class TDataSet;
class TDataSource;
class TField;

// One grid column: the field it shows and its title's look.
struct HOSTLIB_EXPORT TColumn {
    TField *Field = nullptr;
    QString TitleCaption;                        // empty: the field's display label (followed live)
    Qt::Alignment TitleAlignment = Qt::AlignLeft | Qt::AlignVCenter;
    bool ReadOnly = false;
    int Width = -1;                              // pixels; -1: from the display width
                                                 // (re-applied by RebuildColumns)
};

class HOSTLIB_EXPORT TDBGrid : public QTableView {
    Q_OBJECT
public:
    explicit TDBGrid(QWidget *parent = nullptr);
    ~TDBGrid() override;

    TDataSource *DataSource() const;
    void SetDataSource(TDataSource *source);

    int ColumnCount() const;
    TColumn &Columns(int index);                 // visible-column order
    int SelectedIndex() const;                   // current column, -1 without one
    void SetSelectedIndex(int column);
    TField *SelectedField() const;               // field of the current column

    // Editing option (in-place editing of non-read-only columns); off by default.
    bool Editing() const { return m_editing; }
    void SetEditing(bool on) { m_editing = on; }

    // A read-only grid edits no cell, whatever the editing option and the columns say:
    // no key, edit trigger or editor reaches the data set. For grids that show data
    // owned by someone else. Set it before the grid is shown.
    bool ReadOnly() const { return m_readOnly; }
    void SetReadOnly(bool on) { m_readOnly = on; }

    int Tag = 0;                                 // general-purpose integer

    // Handlers (called on the grid's thread; wrap screen code in the handler guard).
    std::function<void()> OnDblClick;
    std::function<void(int &key, Qt::KeyboardModifiers shift)> OnKeyDown;
    std::function<void(QChar &key)> OnKeyPress;
    std::function<void(TColumn &column)> OnTitleClick;
    std::function<void()> OnColEnter;
    // After the grid drew a cell: painter, cell rectangle, data-column index, column, state.
    std::function<void(QPainter *painter, const QRect &rect, int dataCol, TColumn &column,
                       QStyle::State state)> OnDrawColumnCell;

    // Rebuilds the columns from the data set's visible fields. Settings of columns
    // whose field stays visible (caption, alignment, read-only, width) are kept.
    // Runs by itself when the data source, its data set or the fields change.
    void RebuildColumns();

    TDataSet *DataSet() const;                   // the data source's data set, or nullptr
    int ColumnOfField(const TField *field) const; // visible-column index, -1 when none

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void currentChanged(const QModelIndex &current, const QModelIndex &previous) override;

private:
    class CellDelegate;
    class ColumnModel;
    void AttachDataSet(TDataSet *dataSet);
    void SyncFromCursor();
    void AfterModelReset();
    void TitleClicked(int fieldIndex);
    int DefaultWidth(const TColumn &column) const;
    TColumn *ColumnForField(int fieldIndex);

    std::vector<TColumn> m_columns;
    std::vector<int> m_fieldToColumn;            // field index -> visible column, -1
    TDataSource *m_source = nullptr;
    QPointer<TDataSet> m_dataSet;
    QList<QMetaObject::Connection> m_sourceConnections;
    QList<QMetaObject::Connection> m_dataSetConnections;
    ColumnModel *m_model = nullptr;
    CellDelegate *m_delegate = nullptr;
    bool m_editing = false;
    bool m_readOnly = false;
    bool m_syncing = false;
};
