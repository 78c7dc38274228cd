#include "selection.h"

namespace contracts {

namespace {

const QChar kSeparator = QLatin1Char('_');

SelectionError selectionError(const SelectionKind &kind, const QString &detail)
{
    return SelectionError(Texts::tr("Seleção de %1 inválida: %2").arg(Texts::tr(kind.plural), detail));
}

QString expectedForm(const SelectionKind &kind)
{
    return kind.acceptsAll
        ? Texts::tr("use vazio, \"T\" ou códigos entre \"_\" (ex.: \"_SE_S_\").")
        : Texts::tr("use vazio ou códigos entre \"_\" (ex.: \"_0001_0003_\").");
}

void checkCode(const QString &code, const SelectionKind &kind)
{
    if (code.isEmpty())
        throw selectionError(kind, Texts::tr("há um código vazio entre \"_\"."));
    if (!isCodeText(code))
        throw selectionError(kind, Texts::tr("o código %1 contém caracteres não permitidos "
                                             "(somente letras e dígitos).").arg(quotedForMessage(code)));
    if (code.size() > kind.maxCodeLength)
        throw selectionError(kind, Texts::tr("o código %1 excede %2 caracteres.")
                                       .arg(quotedForMessage(code)).arg(kind.maxCodeLength));
}

} // namespace

bool isCodeText(const QString &text)
{
    for (const QChar c : text) {
        const bool letterOrDigit = (c >= QLatin1Char('0') && c <= QLatin1Char('9'))
            || (c >= QLatin1Char('A') && c <= QLatin1Char('Z')) || (c >= QLatin1Char('a') && c <= QLatin1Char('z'));
        if (!letterOrDigit)
            return false;
    }
    return true;
}

Selection readSelection(const QString &text, const SelectionKind &kind)
{
    Selection selection;
    if (text.isEmpty())
        return selection;
    if (text == QLatin1String("T")) {
        if (!kind.acceptsAll)
            throw selectionError(kind, expectedForm(kind));
        selection.all = true;
        return selection;
    }
    if (text.size() < 3 || !text.startsWith(kSeparator) || !text.endsWith(kSeparator))
        throw selectionError(kind, expectedForm(kind));

    // Counted before anything is split, so a huge text costs one pass and no memory.
    if (text.count(kSeparator) - 1 > MaxSelectionCodes)
        throw selectionError(kind, Texts::tr("a lista passa do máximo de %1 códigos; para todos, use a "
                                             "opção \"Todos\"/\"Todas\".").arg(MaxSelectionCodes));
    QSet<QString> seen;
    const QStringList parts = text.mid(1, text.size() - 2).split(kSeparator);
    for (const QString &code : parts) {
        checkCode(code, kind);
        if (!seen.contains(code)) {
            seen.insert(code);
            selection.codes.append(code);
        }
    }
    return selection;
}

SelectionCodes::SelectionCodes(const QString &text) : m_text(text)
{
    for (qsizetype i = 0; i < m_text.size(); ++i)
        if (m_text[i] == kSeparator)
            m_underscores.push_back(i);
}

bool SelectionCodes::contains(const QString &code)
{
    const int m = int(code.count(kSeparator));
    if (m_underscores.size() < size_t(m) + 2)
        return false;
    return candidates(m).contains(QStringView(code));
}

const QSet<QStringView> &SelectionCodes::candidates(int m)
{
    auto found = m_bySpan.find(m);
    if (found != m_bySpan.end())
        return *found;
    QSet<QStringView> &spans = m_bySpan[m];
    const size_t span = size_t(m) + 1;
    spans.reserve(qsizetype(m_underscores.size() - span));
    for (size_t i = 0; i + span < m_underscores.size(); ++i) {
        const qsizetype start = m_underscores[i] + 1;
        spans.insert(m_text.mid(start, m_underscores[i + span] - start));
    }
    return spans;
}

} // namespace contracts
