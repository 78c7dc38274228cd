#include "tclientdataset.h"

#include "datapacket.h"
#include "filterexpression.h"
#include "runtime/errors.h"

#include <algorithm>
#include <numeric>

// ---- data set --------------------------------------------------------------------

namespace {

QStringList splitFieldNames(const QString &names)
{
    QStringList result;
    for (const QString &name : names.split(QLatin1Char(';'), Qt::SkipEmptyParts))
        if (!name.trimmed().isEmpty())
            result << name.trimmed();
    return result;
}

} // namespace

TClientDataSet::TClientDataSet(QObject *parent)
    : TDataSet(parent)
{
}

TClientDataSet::~TClientDataSet() = default;

TClientDataSet::FieldResolver TClientDataSet::CurrentFieldResolver() const
{
    return [this](const QString &name) {
        const TField *field = FindField(name);
        return field ? field->Index() : -1;
    };
}

void TClientDataSet::SetData(const QVariant &packet)
{
    if (packet.typeId() != QMetaType::QByteArray)
        throw EDatabaseError(tr("Pacote de dados inválido: o valor recebido não é um pacote."));
    contracts::DataPacket decoded;
    try {
        decoded = contracts::decodePacket(packet.toByteArray());
    } catch (const contracts::PacketError &error) {
        throw EDatabaseError(error.message());
    }

    // Which packet column feeds each field of the data set.
    QVector<FieldDef> packetColumns;
    for (const contracts::PacketField &field : qAsConst(decoded.fields))
        packetColumns.append({field.name, FieldTypeOf(contracts::packetCellType(field.type)), field.size});
    const ColumnMapping mapping =
        MapColumns(packetColumns, [&decoded](const QString &name) { return decoded.fieldIndex(name); },
                   tr("O pacote de dados não traz o campo %1."));
    const QVector<FieldDef> &defs = mapping.fields;

    std::vector<QVector<QVariant>> records;
    records.reserve(size_t(decoded.rows.size()));
    for (const QVector<QVariant> &row : qAsConst(decoded.rows)) {
        QVector<QVariant> record(defs.size());
        for (int i = 0; i < defs.size(); ++i)
            record[i] = ConvertToFieldType(row[mapping.sourceColumns[size_t(i)]], defs[i].type,
                                           defs[i].name);
        records.push_back(std::move(record));
    }

    // Order and filter must read the new fields before anything is replaced.
    const FieldResolver resolve = [&defs](const QString &name) {
        for (int i = 0; i < defs.size(); ++i)
            if (defs[i].name.compare(name.trimmed(), Qt::CaseInsensitive) == 0)
                return i;
        return -1;
    };
    std::vector<int> indexFields = ResolveIndexFields(m_indexFieldNames, resolve);
    std::unique_ptr<FilterExpression> compiled;
    if (m_filtered && !m_filter.trimmed().isEmpty())
        compiled = CompileFilter(m_filter, resolve);

    if (!HasPersistentFields())
        SetDefaultFields(defs);
    m_indexFields = std::move(indexFields);
    m_compiled = std::move(compiled);
    m_packetTotal = decoded.total >= 0 ? decoded.total : qint64(records.size());
    OpenWithRecords(std::move(records));
}

void TClientDataSet::DoOpen()
{
    if (FieldCount() == 0)
        throw EDatabaseError(tr("O conjunto de dados não tem campos definidos nem dados carregados."));
    std::unique_ptr<FilterExpression> compiled;
    if (m_filtered && !m_filter.trimmed().isEmpty())
        compiled = CompileFilter(m_filter, CurrentFieldResolver());
    m_indexFields = ResolveIndexFields(m_indexFieldNames, CurrentFieldResolver());
    m_compiled = std::move(compiled);
    SetRecords({});
}

// ---- filter ----------------------------------------------------------------------

std::unique_ptr<FilterExpression>
TClientDataSet::CompileFilter(const QString &filter, const FieldResolver &resolve) const
{
    return FilterExpression::Compile(filter, m_caseInsensitive, resolve);
}

void TClientDataSet::ApplyFilterOrThrow(const QString &filter, bool filtered)
{
    std::unique_ptr<FilterExpression> compiled;
    // Without fields (nothing loaded yet) the text is read when data arrives.
    if (filtered && !filter.trimmed().isEmpty() && FieldCount() > 0) {
        try {
            compiled = CompileFilter(filter, CurrentFieldResolver());
        } catch (const EDatabaseError &) {
            const bool wasNarrowed = m_compiled != nullptr;
            m_filter = filter;
            m_filtered = false;
            m_compiled.reset();
            if (Active() && wasNarrowed)
                RebuildView();
            throw;
        }
    }
    const bool viewChanges = compiled || m_compiled;
    m_filter = filter;
    m_filtered = filtered;
    m_compiled = std::move(compiled);
    if (Active() && viewChanges)
        RebuildView();
}

void TClientDataSet::SetFilter(const QString &filter)
{
    ApplyFilterOrThrow(filter, m_filtered);
}

void TClientDataSet::SetFiltered(bool on)
{
    ApplyFilterOrThrow(m_filter, on);
}

void TClientDataSet::SetFilterCaseInsensitive(bool on)
{
    if (on == m_caseInsensitive)
        return;
    m_caseInsensitive = on;
    if (m_compiled)
        ApplyFilterOrThrow(m_filter, m_filtered);
}

// ---- order -----------------------------------------------------------------------

std::vector<int> TClientDataSet::ResolveIndexFields(const QString &names, const FieldResolver &resolve) const
{
    std::vector<int> fields;
    for (const QString &name : splitFieldNames(names)) {
        const int index = resolve(name);
        if (index < 0)
            throw EDatabaseError(tr("Campo %1 do índice não encontrado.").arg(name));
        fields.push_back(index);
    }
    return fields;
}

void TClientDataSet::SetIndexFieldNames(const QString &names)
{
    // Without fields (nothing loaded yet) the names are checked when data arrives.
    std::vector<int> fields;
    if (FieldCount() > 0)
        fields = ResolveIndexFields(names, CurrentFieldResolver());
    m_indexFieldNames = names;
    m_indexFields = std::move(fields);
    m_sortedValid = false;
    if (Active())
        RebuildView();
}

const std::vector<int> &TClientDataSet::SortedRecords() const
{
    if (m_sortedValid)
        return m_sortedRecords;
    const int count = int(Records().size());
    m_sortedRecords.resize(size_t(count));
    std::iota(m_sortedRecords.begin(), m_sortedRecords.end(), 0);

    // One precomputed key column per index field: folded text, or number and null flag.
    struct Key {
        const std::vector<QString> *text = nullptr;
        std::vector<double> number;
        std::vector<char> null;
    };
    std::vector<Key> keys;
    for (const int field : m_indexFields) {
        Key key;
        const TFieldType type = Fields(field)->DataType;
        if (type == TFieldType::String) {
            key.text = &TextColumn(field, true);
        } else {
            key.number.resize(size_t(count));
            key.null.resize(size_t(count));
            for (int r = 0; r < count; ++r) {
                const QVariant &value = Records()[size_t(r)][field];
                key.null[size_t(r)] = value.isNull();
                key.number[size_t(r)] = type == TFieldType::Boolean ? double(value.toBool()) : value.toDouble();
            }
        }
        keys.push_back(std::move(key));
    }
    if (!keys.empty()) {
        std::stable_sort(m_sortedRecords.begin(), m_sortedRecords.end(), [&keys](int a, int b) {
            for (const Key &key : keys) {
                if (key.text) {
                    const int c = QString::compare((*key.text)[size_t(a)], (*key.text)[size_t(b)]);
                    if (c != 0)
                        return c < 0;
                } else {
                    const bool nullA = key.null[size_t(a)], nullB = key.null[size_t(b)];
                    if (nullA != nullB)
                        return nullA;
                    const double x = key.number[size_t(a)], y = key.number[size_t(b)];
                    if (x != y)
                        return x < y;
                }
            }
            return false;
        });
    }
    m_sortedValid = true;
    return m_sortedRecords;
}

// ---- view ------------------------------------------------------------------------

void TClientDataSet::BuildView(std::vector<int> &view) const
{
    const std::vector<int> &order = SortedRecords();
    if (!m_compiled) {
        view = order;
        return;
    }
    m_compiled->Prepare([this](int field, bool folded) -> const std::vector<QString> & {
        return TextColumn(field, folded);
    });
    view.clear();
    for (const int record : order)
        if (m_compiled->Matches(record))
            view.push_back(record);
}

const std::vector<QString> &TClientDataSet::TextColumn(int fieldIndex, bool folded) const
{
    const size_t count = Records().size();
    if (m_textCache.size() < size_t(FieldCount())) {
        m_textCache.resize(size_t(FieldCount()));
        m_foldedCache.resize(size_t(FieldCount()));
    }
    std::vector<QString> &text = m_textCache[size_t(fieldIndex)];
    if (text.size() != count) {
        const TFieldType type = Fields(fieldIndex)->DataType;
        text.resize(count);
        for (size_t r = 0; r < count; ++r)
            text[r] = CellText(Records()[r][fieldIndex], type);
    }
    if (!folded)
        return text;
    std::vector<QString> &foldedText = m_foldedCache[size_t(fieldIndex)];
    if (foldedText.size() != count) {
        foldedText.resize(count);
        for (size_t r = 0; r < count; ++r)
            foldedText[r] = text[r].toCaseFolded();
    }
    return foldedText;
}

void TClientDataSet::RecordChanged(int recordIndex)
{
    const size_t count = Records().size();
    for (size_t f = 0; f < m_textCache.size(); ++f) {
        if (m_textCache[f].size() != count)
            continue;
        const QString text = CellText(Records()[size_t(recordIndex)][int(f)], Fields(int(f))->DataType);
        m_textCache[f][size_t(recordIndex)] = text;
        if (m_foldedCache[f].size() == count)
            m_foldedCache[f][size_t(recordIndex)] = text.toCaseFolded();
    }
    m_sortedValid = false;
}

void TClientDataSet::RecordsReplaced()
{
    m_textCache.clear();
    m_foldedCache.clear();
    m_sortedValid = false;
}

// ---- locate ----------------------------------------------------------------------

bool TClientDataSet::Locate(const QString &fieldNames, const QVariantList &values,
                            bool caseInsensitive, bool partialKey)
{
    if (!Active())
        throw EDatabaseError(tr("Operação não permitida: o conjunto de dados está fechado."));
    const QStringList names = splitFieldNames(fieldNames);
    if (names.isEmpty() || names.size() != values.size())
        throw EDatabaseError(tr("Localização com número de campos (%1) diferente do de valores (%2).")
                                 .arg(names.size())
                                 .arg(values.size()));
    if (state() == State::Edit || state() == State::Insert)
        Post();

    std::vector<const std::vector<QString> *> columns;
    QStringList wanted;
    for (int i = 0; i < names.size(); ++i) {
        const TField *field = FieldByName(names[i]);
        columns.push_back(&TextColumn(field->Index(), caseInsensitive));
        const QString text = CellText(values[i], field->DataType);
        wanted << (caseInsensitive ? text.toCaseFolded() : text);
    }
    for (int row = 0; row < RecordCount(); ++row) {
        const size_t record = size_t(RecordIndexAt(row));
        bool match = true;
        for (size_t i = 0; i < columns.size() && match; ++i) {
            const QString &value = (*columns[i])[record];
            match = partialKey ? value.startsWith(wanted[int(i)]) : value == wanted[int(i)];
        }
        if (match) {
            SetRecNo(row);
            return true;
        }
    }
    return false;
}
