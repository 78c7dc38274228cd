#pragma once
// The selection string: a chosen set of codes in one text.
//   ""            nothing chosen
//   "T"           all (regions only; branches and suppliers send all in a separate flag)
//   "_A_B_"       a list: "_", then each code followed by "_"
// A code counts as present when "_" + code + "_" occurs anywhere in the text.
//
// One writer, and two readings of the same text:
//   - readSelection, strict, for the application server: the text must be exactly one
//     of the three forms above, with codes of letters and digits only;
//   - SelectionCodes, lenient, for the searches that pre-mark rows: any text is
//     accepted, and a code is present by the substring rule above.

#include "error.h"

#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <iterator>
#include <vector>

namespace contracts {

// ---- writing ----------------------------------------------------------------------

// The list form of the codes, in their order: "_" then each code and "_"; the empty
// text for no codes. Any container of QString.
template <class Codes>
QString writeSelection(const Codes &codes)
{
    if (std::empty(codes))
        return QString();
    qsizetype length = 1;
    for (const QString &code : codes)
        length += code.size() + 1;
    QString text;
    text.reserve(length);
    text += QLatin1Char('_');
    for (const QString &code : codes) {
        text += code;
        text += QLatin1Char('_');
    }
    return text;
}

// ---- strict reading ---------------------------------------------------------------

// The most codes one selection string may carry (a branch list of the largest chain is
// well below it; "all" travels as "T" or as the all-flag, not as a list).
inline constexpr int MaxSelectionCodes = 200000;

// What the text holds: all, or the codes (distinct, in order of first appearance).
struct Selection {
    bool all = false;
    QStringList codes;
};

// What a selection is of, for the rules and the messages.
struct SelectionKind {
    const char *plural;    // "regiões", "filiais", "fornecedores": the source text of the
                           // translations, translated where a message uses it
    int maxCodeLength;
    bool acceptsAll;       // "T" allowed
};

// The three selections the server's methods take. Constants of each file that uses them
// (no object shared between the host library and the programs that link it too).
constexpr SelectionKind kRegions{QT_TRANSLATE_NOOP("contracts", "regiões"), 3, true};
constexpr SelectionKind kBranches{QT_TRANSLATE_NOOP("contracts", "filiais"), 4, false};
constexpr SelectionKind kSuppliers{QT_TRANSLATE_NOOP("contracts", "fornecedores"), 21, false};

// Thrown by readSelection, with a Portuguese message naming what is wrong.
class SelectionError : public Error {
public:
    using Error::Error;
};

// True when the text holds only the characters a code may have: ASCII letters and
// digits (the empty text too).
bool isCodeText(const QString &text);

// Reads the text strictly: "", "T" (when the kind accepts it) or a list whose codes are
// non-empty, of letters and digits, and no longer than the kind allows. Repeated codes
// count once. Anything else throws SelectionError.
Selection readSelection(const QString &text, const SelectionKind &kind);

// ---- lenient reading --------------------------------------------------------------

// The codes a selection string names by the substring rule. For a code with m
// underscores of its own the candidates are the pieces of text that run from one
// underscore of the selection string to the (m+1)-th next one; the candidates of each
// such span are gathered once into a hash set, so asking for a code is one look-up
// whatever the length of the string. "T", the empty text and any text without such a
// run name nothing.
class SelectionCodes {
public:
    // The text must outlive this object: the sets hold views into it.
    explicit SelectionCodes(const QString &text);

    bool contains(const QString &code);

private:
    const QSet<QStringView> &candidates(int underscoresOfCode);

    QStringView m_text;
    std::vector<qsizetype> m_underscores;         // positions of '_' in the text
    QHash<int, QSet<QStringView>> m_bySpan;        // codes with m underscores -> candidates
};

} // namespace contracts
