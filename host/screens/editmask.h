#pragma once
// Edit masks in the form "mask;saveLiterals;blank" shared by FormatMaskText and
// TMaskEdit (internal to the host library).
//
// Mask characters: 0 required digit, 9 optional digit, # optional digit or sign,
// L/l letter (required/optional), A/a letter or digit, C/c any character; > upper-case
// and < lower-case for what follows, <> no case change, ! ignored; \ makes the next
// character a literal; every other character is a literal. saveLiterals "0" means the
// value is kept without the literals; blank is the character shown in unfilled positions.

#include <QChar>
#include <QString>
#include <QVector>

namespace EditMask {

enum class CaseMode { None, Upper, Lower };

struct Position {
    bool literal = false;
    QChar ch;                 // the literal, or the mask character of an input position
    bool required = false;
    CaseMode caseMode = CaseMode::None;
};

struct ParsedMask {
    QVector<Position> positions;
    bool saveLiterals = true;
    QChar blank = QLatin1Char('_');
    bool isEmpty() const { return positions.isEmpty(); }
};

ParsedMask Parse(const QString &editMask);

// Whether c may stand in the input position (optional positions also take a blank).
bool Accepts(const Position &position, QChar c);
// c with the position's case rule applied.
QChar ApplyCase(const Position &position, QChar c);

// Lays the value over the positions. With saveLiterals the value carries the literals
// (a value character equal to the literal is taken as that literal); without, every
// value character fills the next input position. Positions beyond the value are left
// as `blank` (fillRest) or cut off after the last placed character (not fillRest).
// Returns false, with `out` untouched, when the value does not fit in the mask.
bool LayOut(const ParsedMask &parsed, const QString &value, bool fillRest, QString &out);
// The value laid over every position, as LayOut with fillRest; of a value too long for
// the mask, the characters that do not fit are dropped.
QString LayOutCut(const ParsedMask &parsed, const QString &value);

} // namespace EditMask
