// Fuzz target: the selection-string readers. The first byte picks the kind (regions,
// branches, suppliers); the rest is the text, UTF-8.
//   - readSelection accepts or throws SelectionError; what it accepts has the documented
//     shape, and the writer gives back a text it reads to the same codes;
//   - SelectionCodes finds every code the strict reader found, and for any code answers
//     exactly the substring rule: "_" + code + "_" occurs in the text.

#include "arguments.h"
#include "selection.h"
#include "fuzzsupport.h"

#include <QSet>

using namespace contracts;

namespace {

// The kinds the application server reads.
const SelectionKind &kindOf(uint8_t byte)
{
    const SelectionKind *kinds[] = {&appserver::kRegions, &appserver::kBranches, &appserver::kSuppliers};
    return *kinds[byte % 3];
}

void checkStrict(const QString &text, const SelectionKind &kind)
{
    Selection selection;
    try {
        selection = readSelection(text, kind);
    } catch (const SelectionError &) {
        return;
    }
    if (text.isEmpty() || selection.all) {
        FUZZ_CHECK(selection.codes.isEmpty());
        FUZZ_CHECK(selection.all == (text == QLatin1String("T")));
        FUZZ_CHECK(!selection.all || kind.acceptsAll);
        return;
    }
    FUZZ_CHECK(!selection.codes.isEmpty());
    FUZZ_CHECK(selection.codes.size() <= MaxSelectionCodes);
    const QSet<QString> distinct(selection.codes.cbegin(), selection.codes.cend());
    FUZZ_CHECK(distinct.size() == selection.codes.size());
    SelectionCodes lenient(text);
    for (const QString &code : selection.codes) {
        FUZZ_CHECK(!code.isEmpty() && code.size() <= kind.maxCodeLength && isCodeText(code), code);
        FUZZ_CHECK(lenient.contains(code), code);
    }
    const QString written = writeSelection(selection.codes);
    FUZZ_CHECK(readSelection(written, kind).codes == selection.codes, written);
}

// Codes to ask the lenient reader about: the pieces between underscores, runs of up to
// three neighbouring pieces (codes with underscores of their own), and a few slices the
// input bytes choose.
QStringList probesFor(const QString &text, const QByteArray &bytes)
{
    QStringList probes;
    const QStringList pieces = text.split(QLatin1Char('_'));
    for (int i = 0; i < pieces.size() && probes.size() < 150; ++i)
        for (int span = 1; span <= 3 && i + span <= pieces.size(); ++span)
            probes << pieces.mid(i, span).join(QLatin1Char('_'));
    for (int k = 0; k + 1 < bytes.size() && k < 16; k += 2) {
        const int start = int(uint8_t(bytes[k])) % (int(text.size()) + 1);
        probes << text.mid(start, uint8_t(bytes[k + 1]) % 12);
    }
    return probes;
}

void checkLenient(const QString &text, const QByteArray &bytes)
{
    SelectionCodes lenient(text);
    for (const QString &code : probesFor(text, bytes)) {
        const bool expected = text.contains(QLatin1Char('_') + code + QLatin1Char('_'));
        FUZZ_CHECK(lenient.contains(code) == expected, code);
        FUZZ_CHECK(lenient.contains(code) == expected, code);   // again, from the kept sets
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0)
        return 0;
    const QByteArray bytes = fuzz::bytesOf(data + 1, size - 1);
    const QString text = QString::fromUtf8(bytes);
    checkStrict(text, kindOf(data[0]));
    checkLenient(text, bytes);
    return 0;
}
