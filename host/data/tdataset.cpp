#include "tdataset.h"

#include "runtime/errors.h"

#include <numeric>

namespace {

void checkActive(const TDataSet &dataSet)
{
    if (!dataSet.Active())
        throw EDatabaseError(TDataSet::tr("Operação não permitida: o conjunto de dados está fechado."));
}

QVariant convertError(const QVariant &value, const QString &fieldName)
{
    throw EDatabaseError(TDataSet::tr("\"%1\" não é um valor válido para o campo %2.")
                             .arg(value.toString(), fieldName));
}

QVariant toBoolean(const QVariant &value, const QString &fieldName)
{
    if (value.typeId() == QMetaType::Bool)
        return value;
    if (value.typeId() == QMetaType::QString) {
        const QString text = value.toString().trimmed().toUpper();
        if (text.isEmpty())
            return QVariant();
        static const QStringList yes = {QStringLiteral("S"), QStringLiteral("T"), QStringLiteral("1"),
                                        QStringLiteral("TRUE"), QStringLiteral("SIM"), QStringLiteral("Y")};
        static const QStringList no = {QStringLiteral("N"), QStringLiteral("F"), QStringLiteral("0"),
                                       QStringLiteral("FALSE"), QStringLiteral("NÃO"), QStringLiteral("NAO")};
        if (yes.contains(text)) return true;
        if (no.contains(text)) return false;
        return convertError(value, fieldName);
    }
    bool ok = false;
    const double number = value.toDouble(&ok);
    return ok ? QVariant(number != 0) : convertError(value, fieldName);
}

QVariant toNumber(const QVariant &value, TFieldType type, const QString &fieldName)
{
    bool ok = false;
    if (value.typeId() == QMetaType::QString) {
        QString text = value.toString().trimmed();
        if (text.isEmpty())
            return QVariant();
        if (type == TFieldType::Integer) {
            const qlonglong n = text.toLongLong(&ok);
            return ok ? QVariant(n) : convertError(value, fieldName);
        }
        text.replace(QLatin1Char(','), QLatin1Char('.'));
        const double d = text.toDouble(&ok);
        return ok ? QVariant(d) : convertError(value, fieldName);
    }
    if (type == TFieldType::Integer) {
        if (value.typeId() == QMetaType::LongLong)
            return value;
        const double d = value.toDouble(&ok);
        if (!ok || d != double(qlonglong(d)))
            return convertError(value, fieldName);
        return QVariant(qlonglong(d));
    }
    if (value.typeId() == QMetaType::Double)
        return value;
    const double d = value.toDouble(&ok);
    return ok ? QVariant(d) : convertError(value, fieldName);
}

} // namespace

TDataSet::TDataSet(QObject *parent)
    : QAbstractTableModel(parent)
{
}

TDataSet::~TDataSet() = default;

// ---- fields ----------------------------------------------------------------------

TField *TDataSet::AddField(const QString &name, TFieldType type, int size, const QString &displayLabel)
{
    if (Active())
        throw EDatabaseError(tr("Não é possível incluir o campo %1 com o conjunto de dados aberto.")
                                 .arg(name));
    if (m_defaultFields) {
        // Program-defined fields replace the ones taken from earlier data.
        BeginChange();
        m_fields.clear();
        m_defaultFields = false;
        EndChange();
    }
    if (name.trimmed().isEmpty())
        throw EDatabaseError(tr("Nome de campo vazio."));
    if (FindField(name))
        throw EDatabaseError(tr("Campo %1 duplicado.").arg(name));
    BeginChange();
    auto field = std::make_unique<TField>(this, name, type, size);
    if (!displayLabel.isEmpty())
        field->DisplayLabel = displayLabel;
    TField *result = field.get();
    m_fields.push_back(std::move(field));
    RenumberFields();
    EndChange();
    NotifyFieldsChanged();
    return result;
}

TDataSet::ColumnMapping TDataSet::MapColumns(const QVector<FieldDef> &sourceColumns,
                                             const std::function<int(const QString &name)> &findColumn,
                                             const QString &missingField) const
{
    ColumnMapping mapping;
    if (!HasPersistentFields()) {
        mapping.fields = sourceColumns;
        for (int i = 0; i < sourceColumns.size(); ++i)
            mapping.sourceColumns.push_back(i);
        return mapping;
    }
    for (int i = 0; i < FieldCount(); ++i) {
        const TField *field = Fields(i);
        const int column = findColumn(field->FieldName);
        if (column < 0)
            throw EDatabaseError(missingField.arg(field->FieldName));
        mapping.fields.append({field->FieldName, field->DataType, field->Size});
        mapping.sourceColumns.push_back(column);
    }
    return mapping;
}

TFieldType TDataSet::FieldTypeOf(QMetaType valueType)
{
    switch (valueType.id()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
        return TFieldType::Integer;
    case QMetaType::Double:
    case QMetaType::Float:
        return TFieldType::Double;
    case QMetaType::Bool:
        return TFieldType::Boolean;
    default:
        return TFieldType::String;
    }
}

void TDataSet::SetDefaultFields(const QVector<FieldDef> &defs)
{
    std::vector<std::unique_ptr<TField>> fields;
    fields.reserve(size_t(defs.size()));
    for (const FieldDef &def : defs) {
        std::unique_ptr<TField> field;
        for (auto &old : m_fields) {
            if (old && old->DataType == def.type
                && old->FieldName.compare(def.name, Qt::CaseInsensitive) == 0) {
                field = std::move(old);
                break;
            }
        }
        if (!field)
            field = std::make_unique<TField>(this, def.name, def.type, def.size);
        fields.push_back(std::move(field));
    }
    bool same = fields.size() == m_fields.size() && m_defaultFields;
    for (size_t i = 0; same && i < fields.size(); ++i)
        same = !m_fields[i] && fields[i]->m_index == int(i);
    if (same) {
        // The same fields again (a reload): views keep their columns as they are.
        m_fields = std::move(fields);
        return;
    }
    BeginChange();
    m_fields = std::move(fields);
    m_defaultFields = true;
    RenumberFields();
    EndChange();
    NotifyFieldsChanged();
}

void TDataSet::RenumberFields()
{
    for (size_t i = 0; i < m_fields.size(); ++i)
        m_fields[i]->m_index = int(i);
}

int TDataSet::FieldCount() const
{
    return int(m_fields.size());
}

TField *TDataSet::Fields(int index) const
{
    if (index < 0 || index >= FieldCount())
        throw EDatabaseError(tr("Índice de campo fora do intervalo: %1.").arg(index));
    return m_fields[size_t(index)].get();
}

TField *TDataSet::FindField(const QString &name) const
{
    // Row loops look fields up by name on every row: try the exact spelling first,
    // which costs a plain comparison, before the case-insensitive one.
    for (const auto &field : m_fields)
        if (field->FieldName == name)
            return field.get();
    const QString wanted = name.trimmed();
    for (const auto &field : m_fields)
        if (field->FieldName.compare(wanted, Qt::CaseInsensitive) == 0)
            return field.get();
    return nullptr;
}

TField *TDataSet::FieldByName(const QString &name) const
{
    if (TField *field = FindField(name))
        return field;
    if (objectName().isEmpty())
        throw EDatabaseError(tr("Campo %1 não encontrado.").arg(name));
    throw EDatabaseError(tr("Campo %1 não encontrado em %2.").arg(name, objectName()));
}

QVariant TDataSet::ConvertToFieldType(const QVariant &value, TFieldType type, const QString &fieldName)
{
    if (value.isNull() || !value.isValid())
        return QVariant();
    switch (type) {
    case TFieldType::String:
        return value.typeId() == QMetaType::QString ? value : QVariant(value.toString());
    case TFieldType::Integer:
    case TFieldType::Double:
        return toNumber(value, type, fieldName);
    case TFieldType::Boolean:
        return toBoolean(value, fieldName);
    }
    return value;
}

QString TDataSet::CellText(const QVariant &value, TFieldType type)
{
    if (value.isNull())
        return QString();
    if (type == TFieldType::Boolean)
        return value.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    return value.toString();
}

// ---- open and close --------------------------------------------------------------

void TDataSet::Open()
{
    if (Active())
        return;
    DoOpen();   // fills the records through SetRecords; on error nothing was opened
    m_state = State::Browse;
    m_cursor = m_view.empty() ? -1 : 0;
    m_bof = true;
    m_eof = m_view.empty();
    emit activeChanged(true);
    RowChanged();
    if (AfterOpen)
        AfterOpen(this);
}

void TDataSet::OpenWithRecords(std::vector<QVector<QVariant>> records)
{
    const bool wasActive = Active();
    m_editBuffer.clear();
    BeginChange();
    m_records = std::move(records);
    RecordsReplaced();
    m_state = State::Browse;
    m_view.clear();
    BuildView(m_view);
    m_cursor = m_view.empty() ? -1 : 0;
    m_bof = true;
    m_eof = m_view.empty();
    EndChange();
    if (!wasActive)
        emit activeChanged(true);
    RowChanged();
    if (AfterOpen)
        AfterOpen(this);
}

void TDataSet::Close()
{
    if (!Active())
        return;
    BeginChange();
    m_editBuffer.clear();
    m_records.clear();
    m_view.clear();
    RecordsReplaced();
    m_state = State::Inactive;
    m_cursor = -1;
    m_bof = m_eof = true;
    EndChange();
    emit activeChanged(false);
    RowChanged();
}

void TDataSet::SetRecords(std::vector<QVector<QVariant>> records)
{
    if (m_state == State::Edit || m_state == State::Insert) {
        m_editBuffer.clear();
        m_state = State::Browse;
    }
    BeginChange();
    m_records = std::move(records);
    RecordsReplaced();
    m_view.clear();
    BuildView(m_view);
    m_cursor = m_view.empty() ? -1 : 0;
    m_bof = true;
    m_eof = m_view.empty();
    EndChange();
    RowChanged();
}

void TDataSet::BuildView(std::vector<int> &view) const
{
    view.resize(m_records.size());
    std::iota(view.begin(), view.end(), 0);
}

void TDataSet::RebuildView()
{
    CheckBrowseMode();
    const int currentRecord = m_cursor >= 0 ? m_view[size_t(m_cursor)] : -1;
    BeginChange();
    m_view.clear();
    BuildView(m_view);
    int row = m_view.empty() ? -1 : 0;
    if (currentRecord >= 0) {
        const auto it = std::find(m_view.begin(), m_view.end(), currentRecord);
        if (it != m_view.end())
            row = int(it - m_view.begin());
    }
    m_cursor = row;
    m_bof = row <= 0;
    m_eof = m_view.empty();
    EndChange();
    RowChanged();
}

// ---- cursor ----------------------------------------------------------------------

bool TDataSet::IsEmpty() const
{
    return m_view.empty();
}

int TDataSet::RecordCount() const
{
    return int(m_view.size());
}

void TDataSet::MoveTo(int row)
{
    CheckBrowseMode();
    if (row != m_cursor) {
        m_cursor = row;
        RowChanged();
    }
}

void TDataSet::SetRecNo(int row)
{
    checkActive(*this);
    if (m_view.empty())
        return;
    MoveTo(qBound(0, row, RecordCount() - 1));
    m_bof = m_eof = false;
}

void TDataSet::First()
{
    checkActive(*this);
    if (!m_view.empty())
        MoveTo(0);
    m_bof = true;
    m_eof = m_view.empty();
}

void TDataSet::Next()
{
    checkActive(*this);
    if (m_cursor + 1 < RecordCount()) {
        MoveTo(m_cursor + 1);
        m_bof = m_eof = false;
    } else {
        CheckBrowseMode();
        m_eof = true;
    }
}

void TDataSet::Prior()
{
    checkActive(*this);
    if (m_cursor > 0) {
        MoveTo(m_cursor - 1);
        m_bof = m_eof = false;
    } else {
        CheckBrowseMode();
        m_bof = true;
    }
}

void TDataSet::Last()
{
    checkActive(*this);
    if (!m_view.empty())
        MoveTo(RecordCount() - 1);
    m_eof = true;
    m_bof = m_view.empty();
}

// ---- editing ---------------------------------------------------------------------

void TDataSet::Edit()
{
    checkActive(*this);
    if (m_state == State::Edit || m_state == State::Insert)
        return;
    if (!CanModify())
        throw EDatabaseError(tr("Não é possível modificar um conjunto de dados somente de leitura."));
    if (m_view.empty())
        throw EDatabaseError(tr("Não há registro para editar."));
    m_editBuffer = m_records[size_t(m_view[size_t(m_cursor)])];
    m_state = State::Edit;
}

void TDataSet::Post()
{
    if (m_state != State::Edit && m_state != State::Insert)
        throw EDatabaseError(tr("O conjunto de dados não está em modo de edição."));
    const int record = m_view[size_t(m_cursor)];
    m_records[size_t(record)] = std::move(m_editBuffer);
    m_editBuffer.clear();
    m_state = State::Browse;
    RecordChanged(record);
    CellsChanged(m_cursor);
}

void TDataSet::Cancel()
{
    if (m_state != State::Edit && m_state != State::Insert)
        return;
    m_editBuffer.clear();
    m_state = State::Browse;
    CellsChanged(m_cursor);
}

void TDataSet::CheckBrowseMode()
{
    if (m_state == State::Edit || m_state == State::Insert)
        Post();
}

QVariant TDataSet::CurrentValue(int fieldIndex) const
{
    if (fieldIndex < 0 || fieldIndex >= FieldCount())
        return QVariant();
    const int row = m_peekRow >= 0 ? m_peekRow : m_cursor;
    return ValueAt(row, fieldIndex);
}

void TDataSet::SetCurrentValue(int fieldIndex, const QVariant &value)
{
    TField *field = Fields(fieldIndex);
    if (m_state != State::Edit && m_state != State::Insert)
        throw EDatabaseError(tr("O conjunto de dados não está em modo de edição."));
    if (field->ReadOnly)
        throw EDatabaseError(tr("O campo %1 não pode ser modificado.").arg(field->FieldName));
    const QVariant converted = ConvertToFieldType(value, field->DataType, field->FieldName);
    if (m_editBuffer.size() < FieldCount())
        m_editBuffer.resize(FieldCount());
    m_editBuffer[fieldIndex] = converted;
    CellsChanged(m_cursor);
}

void TDataSet::SetCellValue(int row, int fieldIndex, const QVariant &value)
{
    SetRecNo(row);
    Edit();
    try {
        Fields(fieldIndex)->SetValue(value);
    } catch (...) {
        Cancel();
        throw;
    }
    Post();
}

QVariant TDataSet::ValueAt(int row, int fieldIndex) const
{
    if (row < 0 || size_t(row) >= m_view.size() || fieldIndex < 0)
        return QVariant();
    const QVector<QVariant> &values = (row == m_cursor && (m_state == State::Edit || m_state == State::Insert))
                                          ? m_editBuffer
                                          : m_records[size_t(m_view[size_t(row)])];
    return fieldIndex < values.size() ? values[fieldIndex] : QVariant();
}

int TDataSet::SetDrawingRow(int row) const
{
    const int previous = m_peekRow;
    m_peekRow = row;
    return previous;
}

QString TDataSet::DisplayTextAtRow(const TField &field, int row) const
{
    // The text handler reads the field as of the current row: point field reads at
    // the row being shown for the duration of the call.
    const int saved = m_peekRow;
    m_peekRow = row;
    try {
        QString text = field.DisplayText();
        m_peekRow = saved;
        return text;
    } catch (...) {
        m_peekRow = saved;
        throw;
    }
}

// ---- bound controls --------------------------------------------------------------

void TDataSet::DisableControls()
{
    ++m_disableCount;
}

void TDataSet::EnableControls()
{
    if (m_disableCount == 0)
        return;
    if (--m_disableCount > 0)
        return;
    beginResetModel();
    endResetModel();
    m_resetPending = false;
    if (m_fieldsChangePending) {
        m_fieldsChangePending = false;
        emit fieldsChanged();
    }
    m_rowChangePending = false;
    emit currentRowChanged(m_cursor);
}

void TDataSet::BeginChange()
{
    if (ControlsDisabled()) {
        m_resetPending = true;
        return;
    }
    if (!m_resetOpen) {
        m_resetOpen = true;
        beginResetModel();
    }
}

void TDataSet::EndChange()
{
    if (m_resetOpen) {
        m_resetOpen = false;
        endResetModel();
    }
}

void TDataSet::ModelReset()
{
    BeginChange();
    EndChange();
}

void TDataSet::RowChanged()
{
    if (ControlsDisabled())
        m_rowChangePending = true;
    else
        emit currentRowChanged(m_cursor);
}

void TDataSet::CellsChanged(int row)
{
    if (ControlsDisabled()) {
        m_resetPending = true;
        return;
    }
    if (row >= 0 && row < rowCount() && columnCount() > 0)
        emit dataChanged(index(row, 0), index(row, columnCount() - 1));
}

void TDataSet::NotifyFieldsChanged()
{
    if (ControlsDisabled()) {
        m_fieldsChangePending = true;
        return;
    }
    if (!m_fields.empty())
        emit headerDataChanged(Qt::Horizontal, 0, FieldCount() - 1);
    emit fieldsChanged();
}

// ---- model -----------------------------------------------------------------------

int TDataSet::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_view.size());
}

int TDataSet::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : FieldCount();
}

QVariant TDataSet::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount() || index.column() >= columnCount())
        return QVariant();
    const TField &field = *m_fields[size_t(index.column())];
    switch (role) {
    case Qt::DisplayRole:
        try {
            return DisplayTextAtRow(field, index.row());
        } catch (...) {
            return QVariant();   // a failing text handler must not break painting
        }
    case Qt::EditRole:
        return ValueAt(index.row(), index.column());
    case Qt::TextAlignmentRole:
        if (field.DataType == TFieldType::Integer || field.DataType == TFieldType::Double)
            return int(Qt::AlignRight | Qt::AlignVCenter);
        return int(Qt::AlignLeft | Qt::AlignVCenter);
    default:
        return QVariant();
    }
}

QVariant TDataSet::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return QVariant();
    if (orientation == Qt::Vertical)
        return section + 1;
    if (section < 0 || section >= FieldCount())
        return QVariant();
    return m_fields[size_t(section)]->DisplayLabel;
}

Qt::ItemFlags TDataSet::flags(const QModelIndex &index) const
{
    if (!index.isValid() || index.column() >= columnCount())
        return Qt::NoItemFlags;
    Qt::ItemFlags result = Qt::ItemIsSelectable | Qt::ItemIsEnabled;
    const TField &field = *m_fields[size_t(index.column())];
    if (!field.ReadOnly && !field.Calculated && CanModify())
        result |= Qt::ItemIsEditable;
    return result;
}

bool TDataSet::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (role != Qt::EditRole || !index.isValid() || !(flags(index) & Qt::ItemIsEditable))
        return false;
    try {
        SetCellValue(index.row(), index.column(), value);
        return true;
    } catch (const EHostError &) {
        return false;
    }
}
