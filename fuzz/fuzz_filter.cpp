// Fuzz target: the filter language of the client data set. Input: one flag byte (bit 0:
// case-insensitive), then UTF-8 lines: the first is the filter text, each further one
// (up to 16) the NMFILIAL of a record; CDFILIAL is the record's number ("0001"...) and QTFUNC the
// length of its name. Compile either throws EDatabaseError or gives a filter for which:
//   - "Not (filter)" matches exactly the records the filter does not;
// and, whatever the first line holds, taken as a quoted operand:
//   - NMFILIAL Like / Not Like it matches as a plain '%'/'_' matcher says;
//   - NMFILIAL = / <> it matches as text equality says.

#include "data/filterexpression.h"
#include "runtime/errors.h"
#include "fuzzsupport.h"

#include <QStringList>

#include <vector>

namespace {

constexpr int MaxRecords = 16;

struct Records {
    std::vector<std::vector<QString>> columns;   // NMFILIAL, CDFILIAL, QTFUNC: text of each record
    std::vector<std::vector<QString>> folded;
    int count() const { return int(columns[0].size()); }
};

Records recordsOf(const QStringList &names)
{
    Records records;
    records.columns.resize(3);
    for (int r = 0; r < names.size(); ++r) {
        records.columns[0].push_back(names[r]);
        records.columns[1].push_back(QStringLiteral("%1").arg(r + 1, 4, 10, QLatin1Char('0')));
        records.columns[2].push_back(QString::number(names[r].size()));
    }
    for (const std::vector<QString> &column : records.columns) {
        std::vector<QString> folded;
        for (const QString &text : column)
            folded.push_back(text.toCaseFolded());
        records.folded.push_back(std::move(folded));
    }
    return records;
}

int resolveField(const QString &name)
{
    static const QStringList fields{QStringLiteral("NMFILIAL"), QStringLiteral("CDFILIAL"), QStringLiteral("QTFUNC")};
    return int(fields.indexOf(name.toUpper()));
}

// Which records the filter matches; throws EDatabaseError for text it cannot read.
std::vector<bool> matches(const QString &filter, bool caseInsensitive, const Records &records)
{
    const std::unique_ptr<FilterExpression> compiled = FilterExpression::Compile(filter, caseInsensitive, resolveField);
    compiled->Prepare([&](int field, bool folded) -> const std::vector<QString> & {
        return folded ? records.folded[size_t(field)] : records.columns[size_t(field)];
    });
    std::vector<bool> result;
    for (int r = 0; r < records.count(); ++r)
        result.push_back(compiled->Matches(r));
    return result;
}

// A Like match by the plain backtracking rule: '%' any run, '_' one character.
bool likeReference(const QString &pattern, const QString &value)
{
    qsizetype p = 0, v = 0, starP = -1, starV = 0;
    while (v < value.size()) {
        if (p < pattern.size() && pattern[p] == QLatin1Char('%')) {
            starP = p++;
            starV = v;
        } else if (p < pattern.size() && (pattern[p] == QLatin1Char('_') || pattern[p] == value[v])) {
            ++p;
            ++v;
        } else if (starP >= 0) {
            p = starP + 1;
            v = ++starV;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == QLatin1Char('%'))
        ++p;
    return p == pattern.size();
}

QString quoted(QString text)
{
    return QLatin1Char('\'') + text.replace(QLatin1Char('\''), QLatin1String("''")) + QLatin1Char('\'');
}

void checkNegation(const QString &filter, bool caseInsensitive, const Records &records)
{
    std::vector<bool> matched;
    try {
        matched = matches(filter, caseInsensitive, records);
    } catch (const EDatabaseError &) {
        return;
    }
    const std::vector<bool> negated = matches(QStringLiteral("Not (%1)").arg(filter), caseInsensitive, records);
    for (int r = 0; r < records.count(); ++r)
        FUZZ_CHECK(negated[size_t(r)] == !matched[size_t(r)]);
}

void checkOperand(const QString &operand, bool caseInsensitive, const Records &records)
{
    const QString pattern = caseInsensitive ? operand.toCaseFolded() : operand;
    const auto &names = caseInsensitive ? records.folded[0] : records.columns[0];
    const std::vector<bool> like = matches(QStringLiteral("nmfilial Like ") + quoted(operand), caseInsensitive, records);
    const std::vector<bool> notLike = matches(QStringLiteral("NMFILIAL not LIKE ") + quoted(operand), caseInsensitive, records);
    const std::vector<bool> equal = matches(QStringLiteral("NMFILIAL = ") + quoted(operand), caseInsensitive, records);
    const std::vector<bool> different = matches(QStringLiteral("NMFILIAL <> ") + quoted(operand), caseInsensitive, records);
    for (int r = 0; r < records.count(); ++r) {
        const QString &name = names[size_t(r)];
        const bool expected = likeReference(pattern, name);
        FUZZ_CHECK(like[size_t(r)] == expected, name);
        FUZZ_CHECK(notLike[size_t(r)] == !expected, name);
        FUZZ_CHECK(equal[size_t(r)] == (name == pattern), name);
        FUZZ_CHECK(different[size_t(r)] == (name != pattern), name);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0)
        return 0;
    const bool caseInsensitive = data[0] & 1;
    const QStringList lines = QString::fromUtf8(fuzz::bytesOf(data + 1, size - 1)).split(QLatin1Char('\n'));
    const QString filter = lines.first();
    const Records records = recordsOf(lines.mid(1, MaxRecords));

    checkNegation(filter, caseInsensitive, records);
    try {
        checkOperand(filter, caseInsensitive, records);
    } catch (const EDatabaseError &error) {
        FUZZ_CHECK(!"a quoted operand is refused", error.message());
    }
    return 0;
}
