#pragma once
// A field of a data set: its definition, and access to its value on the data set's
// current row.

#include "hostlib_export.h"

#include <QString>
#include <QVariant>
#include <functional>

class TDataSet;

enum class TFieldType { String, Integer, Double, Boolean };

class HOSTLIB_EXPORT TField {
public:
    // Display-text handler: (field, text out, displayText flag). Replaces the default text.
    using GetTextHandler = std::function<void(TField &sender, QString &text, bool displayText)>;

    TField(TDataSet *dataSet, const QString &name, TFieldType type, int size);

    TDataSet *DataSet() const { return m_dataSet; }
    int Index() const;                       // position among the data set's fields

    // Definition
    QString FieldName;
    QString DisplayLabel;                    // defaults to FieldName
    TFieldType DataType;
    int Size;                                // declared size (characters for text)
    int DisplayWidth;                        // width in characters; defaults to Size
    bool Visible = true;
    bool ReadOnly = false;
    bool Calculated = false;
    int Tag = 0;
    QString EditMask;
    GetTextHandler OnGetText;   // may read the field's Value(): it is the value on the row drawn

    // Value on the current row (the edit buffer while editing).
    QVariant Value() const;
    QString AsString() const;                // null gives ""
    QString DisplayText() const;             // OnGetText when set, else AsString()
    bool IsNull() const;
    // Writing needs the data set in edit or insert state; read-only fields refuse.
    void SetValue(const QVariant &value);
    void SetAsString(const QString &value) { SetValue(value); }

    // Value and text on any row of the current view (used by models and grids).
    QVariant ValueAt(int row) const;
    QString DisplayTextAt(int row) const;

private:
    friend class TDataSet;
    TDataSet *m_dataSet;
    int m_index = -1;                        // kept by the data set
};
