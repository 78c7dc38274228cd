#include "tclientdataset.h"

#include "datapacket.h"
#include "runtime/errors.h"

#include <algorithm>
#include <numeric>

// ---- filter language -------------------------------------------------------------
//
// The filter text is compiled once into a small expression tree; each Like pattern is
// split at its '%' signs into fixed-length segments ('_' matches one character), so a
// row is tested by comparing characters in place: no regular expression, no
// allocation per row. With the case-insensitive option the pattern is case-folded
// once and compared with the data set's case-folded copy of the column.

namespace {

class LikePattern {
public:
    explicit LikePattern(const QString &pattern = QString())
    {
        Segment current;
        for (const QChar c : pattern) {
            if (c == QLatin1Char('%')) {
                m_segments.push_back(std::move(current));
                current = Segment();
            } else {
                current.text.append(c);
                current.anyChar.push_back(c == QLatin1Char('_'));
            }
        }
        m_segments.push_back(std::move(current));
    }

    bool Matches(const QString &value) const
    {
        const QChar *s = value.constData();
        const int n = int(value.size());
        const Segment &first = m_segments.front();
        if (m_segments.size() == 1)
            return n == first.length() && first.MatchesAt(s, 0);
        const Segment &last = m_segments.back();
        if (n < first.length() + last.length())
            return false;
        if (!first.MatchesAt(s, 0) || !last.MatchesAt(s, n - last.length()))
            return false;
        // Middle segments: leftmost match of each in turn (sound for '%' and '_').
        int pos = first.length();
        const int end = n - last.length();
        for (size_t i = 1; i + 1 < m_segments.size(); ++i) {
            const Segment &segment = m_segments[i];
            bool found = false;
            for (; pos + segment.length() <= end; ++pos) {
                if (segment.MatchesAt(s, pos)) {
                    found = true;
                    break;
                }
            }
            if (!found)
                return false;
            pos += segment.length();
        }
        return true;
    }

private:
    struct Segment {
        QString text;
        std::vector<bool> anyChar;   // '_' at that position
        int length() const { return int(text.size()); }
        bool MatchesAt(const QChar *s, int pos) const
        {
            const QChar *p = text.constData();
            for (int i = 0; i < length(); ++i)
                if (p[i] != s[pos + i] && !anyChar[size_t(i)])
                    return false;
            return true;
        }
    };
    std::vector<Segment> m_segments;
};

struct FilterNode {
    enum class Kind { Like, Equal, NotEqual, And, Or, Not };
    Kind kind = Kind::Like;
    int field = -1;
    QString text;                                 // Equal/NotEqual operand
    LikePattern pattern;                          // Like operand
    const std::vector<QString> *column = nullptr; // values of the field, set before a scan
    std::unique_ptr<FilterNode> left, right;

    bool Matches(int record) const
    {
        switch (kind) {
        case Kind::Like: return pattern.Matches((*column)[size_t(record)]);
        case Kind::Equal: return (*column)[size_t(record)] == text;
        case Kind::NotEqual: return (*column)[size_t(record)] != text;
        case Kind::And: return left->Matches(record) && right->Matches(record);
        case Kind::Or: return left->Matches(record) || right->Matches(record);
        case Kind::Not: return !left->Matches(record);
        }
        return false;
    }
};

struct Token {
    enum class Type { Name, Text, Number, LParen, RParen, Equal, NotEqual, End };
    Type type = Type::End;
    QString text;
    int position = 0;
};

// Recursive-descent reader of the filter text:
//   or := and { OR and };  and := unary { AND unary };
//   unary := NOT unary | "(" or ")" | NAME [NOT] LIKE value | NAME ("=" | "<>") value
class FilterParser {
public:
    FilterParser(const QString &text, bool caseInsensitive, const std::function<int(const QString &)> &resolve)
        : m_text(text), m_caseInsensitive(caseInsensitive), m_resolve(resolve)
    {
        Advance();
    }

    std::unique_ptr<FilterNode> Parse()
    {
        auto node = ParseOr();
        if (m_token.type != Token::Type::End)
            Fail(Unexpected());
        return node;
    }

private:
    [[noreturn]] void Fail(const QString &reason) const
    {
        throw EDatabaseError(QStringLiteral("Não foi possível interpretar o filtro %1: %2.").arg(m_text, reason));
    }

    QString Unexpected() const
    {
        if (m_token.type == Token::Type::End)
            return QStringLiteral("a expressão termina antes do esperado");
        return QStringLiteral("texto inesperado \"%1\" na posição %2")
            .arg(m_text.mid(m_token.position), QString::number(m_token.position + 1));
    }

    bool IsKeyword(const char *word) const
    {
        return m_token.type == Token::Type::Name && m_token.text.compare(QLatin1String(word), Qt::CaseInsensitive) == 0;
    }

    void Advance()
    {
        const int n = int(m_text.size());
        while (m_pos < n && m_text[m_pos].isSpace())
            ++m_pos;
        m_token = Token();
        m_token.position = m_pos;
        if (m_pos >= n)
            return;
        const QChar c = m_text[m_pos];
        if (c.isLetter() || c == QLatin1Char('_')) {
            const int start = m_pos;
            while (m_pos < n && (m_text[m_pos].isLetterOrNumber() || m_text[m_pos] == QLatin1Char('_')))
                ++m_pos;
            m_token.type = Token::Type::Name;
            m_token.text = m_text.mid(start, m_pos - start);
        } else if (c.isDigit() || c == QLatin1Char('-')) {
            const int start = m_pos++;
            while (m_pos < n && (m_text[m_pos].isDigit() || m_text[m_pos] == QLatin1Char('.')))
                ++m_pos;
            m_token.type = Token::Type::Number;
            m_token.text = m_text.mid(start, m_pos - start);
        } else if (c == QLatin1Char('\'')) {
            ReadQuoted();
        } else if (c == QLatin1Char('(') || c == QLatin1Char(')')) {
            m_token.type = c == QLatin1Char('(') ? Token::Type::LParen : Token::Type::RParen;
            ++m_pos;
        } else if (c == QLatin1Char('=')) {
            m_token.type = Token::Type::Equal;
            ++m_pos;
        } else if (m_text.mid(m_pos, 2) == QLatin1String("<>")) {
            m_token.type = Token::Type::NotEqual;
            m_pos += 2;
        } else {
            m_token.type = Token::Type::Text;   // placeholder so that the message shows the spot
            Fail(Unexpected());
        }
    }

    void ReadQuoted()
    {
        const int n = int(m_text.size());
        ++m_pos;
        QString value;
        for (;;) {
            if (m_pos >= n)
                Fail(QStringLiteral("apóstrofo sem fechamento na posição %1").arg(m_token.position + 1));
            const QChar c = m_text[m_pos++];
            if (c != QLatin1Char('\'')) {
                value.append(c);
            } else if (m_pos < n && m_text[m_pos] == QLatin1Char('\'')) {
                value.append(c);   // '' stands for one apostrophe
                ++m_pos;
            } else {
                break;
            }
        }
        m_token.type = Token::Type::Text;
        m_token.text = value;
    }

    std::unique_ptr<FilterNode> Binary(FilterNode::Kind kind, std::unique_ptr<FilterNode> left,
                                       std::unique_ptr<FilterNode> right)
    {
        auto node = std::make_unique<FilterNode>();
        node->kind = kind;
        node->left = std::move(left);
        node->right = std::move(right);
        return node;
    }

    std::unique_ptr<FilterNode> ParseOr()
    {
        auto node = ParseAnd();
        while (IsKeyword("or")) {
            Advance();
            node = Binary(FilterNode::Kind::Or, std::move(node), ParseAnd());
        }
        return node;
    }

    std::unique_ptr<FilterNode> ParseAnd()
    {
        auto node = ParseUnary();
        while (IsKeyword("and")) {
            Advance();
            node = Binary(FilterNode::Kind::And, std::move(node), ParseUnary());
        }
        return node;
    }

    std::unique_ptr<FilterNode> ParseUnary()
    {
        if (IsKeyword("not")) {
            Advance();
            return Binary(FilterNode::Kind::Not, ParseUnary(), nullptr);
        }
        if (m_token.type == Token::Type::LParen) {
            Advance();
            auto node = ParseOr();
            if (m_token.type != Token::Type::RParen)
                Fail(Unexpected());
            Advance();
            return node;
        }
        return ParseComparison();
    }

    std::unique_ptr<FilterNode> ParseComparison()
    {
        if (m_token.type != Token::Type::Name)
            Fail(Unexpected());
        const QString fieldName = m_token.text;
        const int field = m_resolve(fieldName);
        if (field < 0)
            Fail(QStringLiteral("campo %1 não encontrado").arg(fieldName));
        Advance();

        auto node = std::make_unique<FilterNode>();
        node->field = field;
        bool negated = false;
        if (IsKeyword("not")) {
            negated = true;
            Advance();
            if (!IsKeyword("like"))
                Fail(Unexpected());
        }
        if (IsKeyword("like"))
            node->kind = FilterNode::Kind::Like;
        else if (m_token.type == Token::Type::Equal)
            node->kind = FilterNode::Kind::Equal;
        else if (m_token.type == Token::Type::NotEqual)
            node->kind = FilterNode::Kind::NotEqual;
        else
            Fail(Unexpected());
        Advance();

        if (m_token.type != Token::Type::Text && m_token.type != Token::Type::Number)
            Fail(Unexpected());
        const QString operand = m_caseInsensitive ? m_token.text.toCaseFolded() : m_token.text;
        if (node->kind == FilterNode::Kind::Like)
            node->pattern = LikePattern(operand);
        else
            node->text = operand;
        Advance();
        return negated ? Binary(FilterNode::Kind::Not, std::move(node), nullptr) : std::move(node);
    }

    const QString m_text;
    const bool m_caseInsensitive;
    const std::function<int(const QString &)> &m_resolve;
    int m_pos = 0;
    Token m_token;
};

} // namespace

class TClientDataSet::CompiledFilter {
public:
    CompiledFilter(std::unique_ptr<FilterNode> root, bool caseInsensitive)
        : m_root(std::move(root)), m_caseInsensitive(caseInsensitive) {}

    // Points every comparison at the current text column of its field.
    void Prepare(const TClientDataSet &dataSet) const { Prepare(dataSet, m_root.get()); }
    bool Matches(int record) const { return m_root->Matches(record); }

private:
    void Prepare(const TClientDataSet &dataSet, FilterNode *node) const
    {
        if (!node)
            return;
        if (node->field >= 0)
            node->column = &dataSet.TextColumn(node->field, m_caseInsensitive);
        Prepare(dataSet, node->left.get());
        Prepare(dataSet, node->right.get());
    }

    std::unique_ptr<FilterNode> m_root;
    bool m_caseInsensitive;
};

// ---- data set --------------------------------------------------------------------

namespace {

TFieldType fieldTypeOf(contracts::PacketFieldType type)
{
    switch (type) {
    case contracts::PacketFieldType::String: return TFieldType::String;
    case contracts::PacketFieldType::Integer: return TFieldType::Integer;
    case contracts::PacketFieldType::Double: return TFieldType::Double;
    case contracts::PacketFieldType::Boolean: return TFieldType::Boolean;
    }
    return TFieldType::String;
}

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
        throw EDatabaseError(QStringLiteral("Pacote de dados inválido: o valor recebido não é um pacote."));
    contracts::DataPacket decoded;
    try {
        decoded = contracts::decodePacket(packet.toByteArray());
    } catch (const contracts::PacketError &error) {
        throw EDatabaseError(error.message());
    }

    // Which packet column feeds each field of the data set.
    const bool persistent = HasPersistentFields();
    QVector<FieldDef> defs;
    std::vector<int> source;
    if (persistent) {
        for (int i = 0; i < FieldCount(); ++i) {
            const TField *field = Fields(i);
            const int column = decoded.fieldIndex(field->FieldName);
            if (column < 0)
                throw EDatabaseError(QStringLiteral("O pacote de dados não traz o campo %1.").arg(field->FieldName));
            defs.append({field->FieldName, field->DataType, field->Size});
            source.push_back(column);
        }
    } else {
        for (int i = 0; i < decoded.fields.size(); ++i) {
            const contracts::PacketField &field = decoded.fields[i];
            defs.append({field.name, fieldTypeOf(field.type), field.size});
            source.push_back(i);
        }
    }

    std::vector<QVector<QVariant>> records;
    records.reserve(size_t(decoded.rows.size()));
    for (const QVector<QVariant> &row : qAsConst(decoded.rows)) {
        QVector<QVariant> record(defs.size());
        for (int i = 0; i < defs.size(); ++i)
            record[i] = ConvertToFieldType(row[source[size_t(i)]], defs[i].type, defs[i].name);
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
    std::unique_ptr<CompiledFilter> compiled;
    if (m_filtered && !m_filter.trimmed().isEmpty())
        compiled = CompileFilter(m_filter, resolve);

    if (!persistent)
        SetDefaultFields(defs);
    m_indexFields = std::move(indexFields);
    m_compiled = std::move(compiled);
    OpenWithRecords(std::move(records));
}

void TClientDataSet::DoOpen()
{
    if (FieldCount() == 0)
        throw EDatabaseError(QStringLiteral("O conjunto de dados não tem campos definidos nem dados carregados."));
    std::unique_ptr<CompiledFilter> compiled;
    if (m_filtered && !m_filter.trimmed().isEmpty())
        compiled = CompileFilter(m_filter, CurrentFieldResolver());
    m_indexFields = ResolveIndexFields(m_indexFieldNames, CurrentFieldResolver());
    m_compiled = std::move(compiled);
    SetRecords({});
}

// ---- filter ----------------------------------------------------------------------

std::unique_ptr<TClientDataSet::CompiledFilter>
TClientDataSet::CompileFilter(const QString &filter, const FieldResolver &resolve) const
{
    FilterParser parser(filter, m_caseInsensitive, resolve);
    return std::make_unique<CompiledFilter>(parser.Parse(), m_caseInsensitive);
}

void TClientDataSet::ApplyFilterOrThrow(const QString &filter, bool filtered)
{
    std::unique_ptr<CompiledFilter> compiled;
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
            throw EDatabaseError(QStringLiteral("Campo %1 do índice não encontrado.").arg(name));
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
    m_compiled->Prepare(*this);
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
        throw EDatabaseError(QStringLiteral("Operação não permitida: o conjunto de dados está fechado."));
    const QStringList names = splitFieldNames(fieldNames);
    if (names.isEmpty() || names.size() != values.size())
        throw EDatabaseError(QStringLiteral("Localização com número de campos (%1) diferente do de valores (%2).")
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
