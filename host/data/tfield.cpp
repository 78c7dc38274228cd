#include "tfield.h"

#include "tdataset.h"

namespace {

int defaultDisplayWidth(TFieldType type, int size)
{
    switch (type) {
    case TFieldType::String: return size > 0 ? size : 20;
    case TFieldType::Integer: return 10;
    case TFieldType::Double: return 15;
    case TFieldType::Boolean: return 5;
    }
    return 10;
}

} // namespace

TField::TField(TDataSet *dataSet, const QString &name, TFieldType type, int size)
    : FieldName(name),
      DisplayLabel(name),
      DataType(type),
      Size(size),
      DisplayWidth(defaultDisplayWidth(type, size)),
      m_dataSet(dataSet)
{
}

int TField::Index() const
{
    return m_index;
}

QVariant TField::Value() const
{
    return m_dataSet->CurrentValue(m_index);
}

QString TField::AsString() const
{
    return TDataSet::CellText(Value(), DataType);
}

QString TField::DisplayText() const
{
    QString text = AsString();
    if (OnGetText)
        OnGetText(const_cast<TField &>(*this), text, true);
    return text;
}

bool TField::IsNull() const
{
    return Value().isNull();
}

void TField::SetValue(const QVariant &value)
{
    m_dataSet->SetCurrentValue(m_index, value);
}

QVariant TField::ValueAt(int row) const
{
    return m_dataSet->ValueAt(row, m_index);
}

QString TField::DisplayTextAt(int row) const
{
    return m_dataSet->DisplayTextAtRow(*this, row);
}
