#include "tmaskedit.h"

#include "editmask.h"
#include "runtime/guard.h"

#include <QApplication>
#include <QClipboard>
#include <QFocusEvent>
#include <QKeyEvent>

// ---------------------------------------------------------------------------------------
// TMaskEdit
//
// With a mask the edit always holds one character per mask position: literals in
// place, unfilled input positions as the blank character. Typing overwrites the next
// input position; Backspace and Delete blank a position. Without a mask it is a plain
// line edit with the key-press hook and the upper-case option.

TMaskEdit::TMaskEdit(QWidget *parent)
    : QLineEdit(parent)
{
}

namespace {

EditMask::ParsedMask ParsedMaskOf(const QString &editMask)
{
    return EditMask::Parse(editMask);
}

// The text without the spaces (unfilled positions) at its end, and at its start too when
// asked; any other character, white space typed into a position included, stays.
QString WithoutUnfilledEnds(const QString &text, bool atStart)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (atStart && begin < end && text[begin] == QLatin1Char(' '))
        ++begin;
    while (end > begin && text[end - 1] == QLatin1Char(' '))
        --end;
    return text.mid(begin, end - begin);
}

// Whether QLineEdit would insert the key's text, which the typing above did not take:
// text with Alt or AltGr, several characters at once, a format character. Control
// characters are its shortcuts, and with Ctrl or Ctrl+Shift alone it takes no text
// (the key goes on to the window).
bool LineEditWouldInsert(const QKeyEvent *event)
{
    const QString text = event->text();
    if (text.isEmpty() || text[0].category() == QChar::Other_Control)
        return false;
    if (text[0].category() == QChar::Other_Format)
        return true;
    const Qt::KeyboardModifiers held = event->modifiers();
    return held != Qt::ControlModifier && held != (Qt::ControlModifier | Qt::ShiftModifier);
}

} // namespace

void TMaskEdit::SetEditMask(const QString &editMask)
{
    const QString typed = Text();
    m_editMask = editMask;
    const EditMask::ParsedMask parsed = ParsedMaskOf(editMask);
    const bool masked = !parsed.isEmpty();
    setAttribute(Qt::WA_InputMethodEnabled, !masked);
    setContextMenuPolicy(masked ? Qt::NoContextMenu : Qt::DefaultContextMenu);
    setAcceptDrops(!masked);
    if (masked)
        setMaxLength(parsed.positions.size());
    SetText(typed);
}

bool TMaskEdit::Masked() const
{
    return !ParsedMaskOf(m_editMask).isEmpty();
}

QString TMaskEdit::Text() const
{
    const EditMask::ParsedMask parsed = ParsedMaskOf(m_editMask);
    if (parsed.isEmpty())
        return text();
    const QString shown = text();
    QString value;
    bool anyFilled = false;
    for (int i = 0; i < parsed.positions.size(); ++i) {
        const QChar c = i < shown.size() ? shown[i] : parsed.blank;
        const EditMask::Position &p = parsed.positions[i];
        if (p.literal) {
            if (parsed.saveLiterals)
                value += p.ch;
            continue;
        }
        if (c != parsed.blank && c != QLatin1Char(' '))
            anyFilled = true;
        value += (c == parsed.blank) ? QLatin1Char(' ') : c;
    }
    if (!anyFilled)
        return QString();
    // Unfilled positions at the end are dropped, and at the start too when only what was
    // typed is kept (with the literals, every character keeps its position, so that the
    // text lays out the same when set back); blanks between typed characters stay.
    return WithoutUnfilledEnds(value, !parsed.saveLiterals);
}

void TMaskEdit::SetText(const QString &value)
{
    const EditMask::ParsedMask parsed = ParsedMaskOf(m_editMask);
    if (parsed.isEmpty()) {
        setText(value);
        return;
    }
    setText(EditMask::LayOutCut(parsed, value));
    setCursorPosition(NextInput(0));
}

int TMaskEdit::NextInput(int from) const
{
    const EditMask::ParsedMask parsed = ParsedMaskOf(m_editMask);
    for (int i = qMax(0, from); i < parsed.positions.size(); ++i) {
        if (!parsed.positions[i].literal)
            return i;
    }
    return -1;
}

int TMaskEdit::EndOfTyped() const
{
    const EditMask::ParsedMask parsed = ParsedMaskOf(m_editMask);
    const QString shown = text();
    int end = 0;
    for (int i = 0; i < parsed.positions.size() && i < shown.size(); ++i) {
        if (!parsed.positions[i].literal && shown[i] != parsed.blank)
            end = i + 1;
    }
    return end;
}

int TMaskEdit::PriorInput(int before) const
{
    const EditMask::ParsedMask parsed = ParsedMaskOf(m_editMask);
    for (int i = qMin(before, int(parsed.positions.size())) - 1; i >= 0; --i) {
        if (!parsed.positions[i].literal)
            return i;
    }
    return -1;
}

void TMaskEdit::BlankRange(int from, int to)
{
    const EditMask::ParsedMask parsed = ParsedMaskOf(m_editMask);
    QString shown = text();
    for (int i = qMax(0, from); i < to && i < shown.size(); ++i) {
        if (!parsed.positions[i].literal)
            shown[i] = parsed.blank;
    }
    setText(shown);
    setCursorPosition(from);
}

void TMaskEdit::TypeMasked(QChar c)
{
    const EditMask::ParsedMask parsed = ParsedMaskOf(m_editMask);
    int at = cursorPosition();
    if (hasSelectedText()) {
        at = selectionStart();
        BlankRange(at, at + selectedText().size());
    } else {
        // A cursor at the very end (a click into the empty end of the field) types
        // right after the typed text rather than nowhere.
        if (at >= text().size())
            at = EndOfTyped();
    }
    at = NextInput(at);
    if (at < 0)
        return;
    const EditMask::Position &p = parsed.positions[at];
    if (!EditMask::Accepts(p, c))
        return;
    QString shown = text();
    shown[at] = (c == QLatin1Char(' ')) ? parsed.blank : EditMask::ApplyCase(p, c);
    setText(shown);
    const int next = NextInput(at + 1);
    setCursorPosition(next < 0 ? shown.size() : next);
}

bool TMaskEdit::HandleMaskedEditingKey(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Backspace) {
        if (hasSelectedText()) {
            BlankRange(selectionStart(), selectionStart() + selectedText().size());
        } else if (const int at = PriorInput(cursorPosition()); at >= 0) {
            BlankRange(at, at + 1);
        }
        return true;
    }
    if (event->key() == Qt::Key_Delete) {
        if (hasSelectedText()) {
            BlankRange(selectionStart(), selectionStart() + selectedText().size());
        } else if (const int at = NextInput(cursorPosition()); at >= 0) {
            BlankRange(at, at + 1);
            setCursorPosition(at);
        }
        return true;
    }
    if (event->matches(QKeySequence::Paste)) {
        const QString pasted = QApplication::clipboard()->text();
        for (QChar c : pasted)
            TypeMasked(UpperCase ? c.toUpper() : c);
        return true;
    }
    if (event->matches(QKeySequence::Cut)) {
        if (hasSelectedText()) {
            copy();
            BlankRange(selectionStart(), selectionStart() + selectedText().size());
        }
        return true;
    }
    if (event->matches(QKeySequence::Undo) || event->matches(QKeySequence::Redo))
        return true;
    // The line edit would change the text outside the mask with its own deleting
    // shortcuts and with text it inserts itself: none of them does anything here.
    for (const QKeySequence::StandardKey deleting : {QKeySequence::DeleteEndOfLine, QKeySequence::DeleteStartOfWord,
                                                     QKeySequence::DeleteEndOfWord, QKeySequence::DeleteCompleteLine,
                                                     QKeySequence::Backspace}) {
        if (event->matches(deleting))
            return true;
    }
    return LineEditWouldInsert(event);
}

void TMaskEdit::keyPressEvent(QKeyEvent *event)
{
    const QString typed = event->text();
    const bool isChar = typed.size() == 1 && !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier))
                        && (typed[0].isPrint() || typed[0] == QLatin1Char('\b') || typed[0] == QLatin1Char('\r'));
    QChar key = isChar ? typed[0] : QChar();
    if (isChar && OnKeyPress) {
        bool handled = Guard::Run(window(), [&] { OnKeyPress(key); });
        if (!handled || key.isNull()) {
            event->accept();
            return;
        }
    }
    if (isChar && key.isPrint()) {
        if (UpperCase)
            key = key.toUpper();
        if (isReadOnly())
            ; // nothing to type into
        else if (Masked())
            TypeMasked(key);
        else
            insert(QString(key));
        event->accept();
        return;
    }
    if (Masked() && !isReadOnly() && HandleMaskedEditingKey(event)) {
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void TMaskEdit::focusOutEvent(QFocusEvent *event)
{
    QLineEdit::focusOutEvent(event);
    // Leaving the window (a dialog opening over it) is not leaving the field.
    if (event->reason() == Qt::ActiveWindowFocusReason || event->reason() == Qt::PopupFocusReason)
        return;
    if (OnExit)
        Guard::Run(window(), OnExit);
}
