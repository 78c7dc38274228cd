#include "editmask.h"

namespace EditMask {

namespace {

// Splits "mask;save;blank" from the right: the last two unescaped ';' end the mask.
void SplitFields(const QString &editMask, QString &mask, QString &save, QString &blank)
{
    QVector<int> separators;
    for (int i = 0; i < editMask.size(); ++i) {
        if (editMask[i] == QLatin1Char('\\')) {
            ++i;
            continue;
        }
        if (editMask[i] == QLatin1Char(';'))
            separators.append(i);
    }
    mask = editMask;
    if (separators.size() >= 2) {
        const int first = separators[separators.size() - 2];
        const int second = separators.last();
        mask = editMask.left(first);
        save = editMask.mid(first + 1, second - first - 1);
        blank = editMask.mid(second + 1);
    } else if (separators.size() == 1) {
        mask = editMask.left(separators[0]);
        save = editMask.mid(separators[0] + 1);
    }
}

bool IsInputChar(QChar c)
{
    return QStringLiteral("09#LlAaCc").contains(c);
}

} // namespace

ParsedMask Parse(const QString &editMask)
{
    QString mask, save, blank;
    SplitFields(editMask, mask, save, blank);

    ParsedMask parsed;
    parsed.saveLiterals = save.trimmed() != QLatin1String("0");
    if (!blank.isEmpty())
        parsed.blank = blank[0];

    CaseMode caseMode = CaseMode::None;
    for (int i = 0; i < mask.size(); ++i) {
        const QChar c = mask[i];
        if (c == QLatin1Char('\\') && i + 1 < mask.size()) {
            parsed.positions.append({true, mask[++i], false, caseMode});
        } else if (c == QLatin1Char('<') && i + 1 < mask.size() && mask[i + 1] == QLatin1Char('>')) {
            caseMode = CaseMode::None;
            ++i;
        } else if (c == QLatin1Char('>')) {
            caseMode = CaseMode::Upper;
        } else if (c == QLatin1Char('<')) {
            caseMode = CaseMode::Lower;
        } else if (c == QLatin1Char('!')) {
            // alignment of optional blanks: not needed for laying out values
        } else if (IsInputChar(c)) {
            const bool required = c == QLatin1Char('0') || c == QLatin1Char('L')
                                  || c == QLatin1Char('A') || c == QLatin1Char('C');
            parsed.positions.append({false, c, required, caseMode});
        } else {
            parsed.positions.append({true, c, false, caseMode});
        }
    }
    return parsed;
}

bool Accepts(const Position &position, QChar c)
{
    if (position.literal)
        return c == position.ch;
    if (c == QLatin1Char(' ') && !position.required)
        return true;
    switch (position.ch.toLatin1()) {
    case '0':
    case '9':
        return c.isDigit();
    case '#':
        return c.isDigit() || c == QLatin1Char('+') || c == QLatin1Char('-');
    case 'L':
    case 'l':
        return c.isLetter();
    case 'A':
    case 'a':
        return c.isLetterOrNumber();
    default:
        return !c.isNull() && c.isPrint();
    }
}

QChar ApplyCase(const Position &position, QChar c)
{
    switch (position.caseMode) {
    case CaseMode::Upper:
        return c.toUpper();
    case CaseMode::Lower:
        return c.toLower();
    case CaseMode::None:
        break;
    }
    return c;
}

namespace {

// The value laid over every position, as far as the mask holds it.
struct Placement {
    QString text;     // one character per position; unfilled input positions blank
    int used = 0;     // value characters placed
    int end = 0;      // length of text up to the last value character placed
};

Placement Place(const ParsedMask &parsed, const QString &value)
{
    Placement placement;
    QString &result = placement.text;
    int &next = placement.used;
    for (const Position &p : parsed.positions) {
        if (p.literal) {
            result += p.ch;
            // A value character equal to the literal is that literal: the value reaches here.
            if (parsed.saveLiterals && next < value.size() && value[next] == p.ch) {
                ++next;
                placement.end = result.size();
            }
            continue;
        }
        if (next < value.size()) {
            result += ApplyCase(p, value[next++]);
            placement.end = result.size();
        } else {
            result += parsed.blank;
        }
    }
    return placement;
}

} // namespace

bool LayOut(const ParsedMask &parsed, const QString &value, bool fillRest, QString &out)
{
    const Placement placement = Place(parsed, value);
    if (placement.used < value.size())
        return false;
    out = fillRest ? placement.text : placement.text.left(placement.end);
    return true;
}

QString LayOutCut(const ParsedMask &parsed, const QString &value)
{
    return Place(parsed, value).text;
}

} // namespace EditMask
