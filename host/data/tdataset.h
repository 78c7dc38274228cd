#pragma once
// Data set: rows of fields with a cursor, exposed to views as a table model.
//
// Records are held in memory. The "view" is the ordered, filtered list of records that
// the cursor walks and the model shows (rows of the model = view positions; columns of
// the model = all fields, grids hide the invisible ones).
//
// While bound controls are suspended (DisableControls) no model signal is sent; the
// matching EnableControls sends one reset, so a bulk walk repaints once.

#include "hostlib_export.h"
#include "tfield.h"

#include <QAbstractTableModel>
#include <QVector>
#include <functional>
#include <memory>
#include <vector>

class HOSTLIB_EXPORT TDataSet : public QAbstractTableModel {
    Q_OBJECT
public:
    enum class State { Inactive, Browse, Edit, Insert };
    using DataSetNotify = std::function<void(TDataSet *dataSet)>;

    explicit TDataSet(QObject *parent = nullptr);
    ~TDataSet() override;

    // Field definitions (persistent fields). Adding fields is allowed while closed.
    TField *AddField(const QString &name, TFieldType type, int size,
                     const QString &displayLabel = QString());
    int FieldCount() const;
    TField *Fields(int index) const;
    TField *FindField(const QString &name) const;   // case-insensitive; nullptr if absent
    TField *FieldByName(const QString &name) const; // throws EDatabaseError if absent

    // Opening and closing. Open runs DoOpen (subclasses fill the records) and then the
    // AfterOpen handler, with the cursor on the first row.
    void Open();
    void Close();
    bool Active() const { return m_state != State::Inactive; }
    State state() const { return m_state; }
    DataSetNotify AfterOpen;

    // Cursor over the view.
    bool IsEmpty() const;
    int RecordCount() const;                 // rows in the view
    int RecNo() const { return m_cursor; }   // 0-based view position, -1 when empty
    void SetRecNo(int row);
    void First();
    void Next();
    void Prior();
    void Last();
    bool Eof() const { return m_eof; }       // true after Next past the last row, or empty
    bool Bof() const { return m_bof; }

    // Editing of the current row. Edit copies the row into an edit buffer (empty or
    // closed data set, or one that cannot be modified: EDatabaseError); field writes go
    // to the buffer; Post writes it into the record, Cancel drops it. Post does not
    // re-filter or re-order: the record keeps its place in the view until the next
    // filter or order change (so a grid's cursor never jumps away under the user).
    // Moving the cursor posts a pending edit first.
    void Edit();
    void Post();
    void Cancel();
    // False for data sets that only read (queries); Edit then refuses.
    virtual bool CanModify() const { return true; }

    // Suspends and resumes bound controls; nested. While suspended no model signal and
    // no currentRowChanged is sent, and cursor moves cost O(1); the outermost
    // EnableControls sends one model reset, then currentRowChanged once.
    void DisableControls();
    void EnableControls();
    bool ControlsDisabled() const { return m_disableCount > 0; }

    // Record access for the view (row = view position).
    QVariant ValueAt(int row, int fieldIndex) const;
    // Writes one cell: moves to the row, edits, sets the field, posts (cancels and
    // throws when the value does not fit the field).
    void SetCellValue(int row, int fieldIndex, const QVariant &value);
    // While a grid draws a row, field reads (Value, AsString, DisplayText) refer to that
    // view row instead of the cursor's; -1 goes back to the cursor. Returns the row in
    // force before, to be put back after drawing.
    int SetDrawingRow(int row) const;
    // A cell value as text (null: ""; booleans "True"/"False").
    static QString CellText(const QVariant &value, TFieldType type);

    // QAbstractTableModel
    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    // In-place editing from a view: moves to the row, edits, writes the field, posts.
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;

    // Tell views that a field definition changed (label, visibility).
    void NotifyFieldsChanged();

signals:
    void currentRowChanged(int row);   // cursor moved (not sent while controls are suspended)
    void activeChanged(bool active);
    void fieldsChanged();

protected:
    // Subclasses fill the records on open.
    virtual void DoOpen() = 0;

    // A field definition as a data source (packet, query result) describes it.
    struct FieldDef {
        QString name;
        TFieldType type = TFieldType::String;
        int size = 0;
    };
    // Which column of a source (a query's result, a data packet) feeds each field on
    // a load.
    struct ColumnMapping {
        QVector<FieldDef> fields;           // the fields the load fills, in order
        std::vector<int> sourceColumns;     // for each field, its column in the source
    };
    // With persistent fields, each one is fed by the source column of its name
    // (findColumn; -1 when the source lacks it: EDatabaseError with missingField, whose
    // "%1" is the field's name). Without, every source column becomes a field.
    ColumnMapping MapColumns(const QVector<FieldDef> &sourceColumns,
                             const std::function<int(const QString &name)> &findColumn,
                             const QString &missingField) const;
    // The field type of a source column whose values have the given type: integers,
    // floating point, booleans; anything else is text.
    static TFieldType FieldTypeOf(QMetaType valueType);
    // True when the fields were defined by the program (AddField) rather than taken
    // from the data on open.
    bool HasPersistentFields() const { return !m_fields.empty() && !m_defaultFields; }
    // Makes the given definitions the data set's fields (data-derived fields). Existing
    // field objects with the same name and type are kept, so pointers stay valid.
    void SetDefaultFields(const QVector<FieldDef> &defs);
    // The value converted to the field type (null stays null); EDatabaseError naming
    // the field when it does not convert.
    static QVariant ConvertToFieldType(const QVariant &value, TFieldType type,
                                       const QString &fieldName);
    // Opens (or, when open, reloads) with the records: cursor on the first row, then
    // AfterOpen. Used by subclasses that load data from outside Open.
    void OpenWithRecords(std::vector<QVector<QVariant>> records);
    // Called after Post changed a record (record index), and after all records were
    // replaced; subclasses drop what they derived from the values.
    virtual void RecordChanged(int recordIndex) { Q_UNUSED(recordIndex); }
    virtual void RecordsReplaced() {}
    // Replace all records; keeps the view in record order, then applies RebuildView.
    void SetRecords(std::vector<QVector<QVariant>> records);
    std::vector<QVector<QVariant>> &Records() { return m_records; }
    const std::vector<QVector<QVariant>> &Records() const { return m_records; }
    // Which records the view shows, in which order. Default: all, in record order.
    virtual void BuildView(std::vector<int> &view) const;
    // Rebuilds the view, keeps the cursor on the same record when it is still shown,
    // else on the first row; signals views (one reset).
    void RebuildView();
    int RecordIndexAt(int row) const { return m_view[size_t(row)]; }
    void ModelReset();                 // reset now, or once at EnableControls

private:
    friend class TField;
    QVariant CurrentValue(int fieldIndex) const;
    void SetCurrentValue(int fieldIndex, const QVariant &value);
    QString DisplayTextAtRow(const TField &field, int row) const;
    void MoveTo(int row);
    void CheckBrowseMode();            // posts a pending edit
    void BeginChange();                // before records/view change: begin a reset
    void EndChange();                  // after: end it (or leave it pending)
    void RowChanged();                 // currentRowChanged now, or at EnableControls
    void CellsChanged(int row);        // dataChanged for one row, or a pending reset
    void RenumberFields();

    std::vector<std::unique_ptr<TField>> m_fields;
    std::vector<QVector<QVariant>> m_records;
    std::vector<int> m_view;
    QVector<QVariant> m_editBuffer;
    State m_state = State::Inactive;
    int m_cursor = -1;
    bool m_eof = true;
    bool m_bof = true;
    int m_disableCount = 0;
    bool m_resetPending = false;
    bool m_rowChangePending = false;
    bool m_fieldsChangePending = false;
    bool m_resetOpen = false;          // a beginResetModel awaits its end
    bool m_defaultFields = false;      // fields came from the data, not AddField
    mutable int m_peekRow = -1;        // row that field reads refer to while drawing
};
