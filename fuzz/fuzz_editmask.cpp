// Fuzz target: the edit-mask formatter and the masked edit's key handling. Input: one
// flag byte (bit 0: upper case), then UTF-8 "mask\nvalue\nkeys". The formatter lays the
// value out over the mask; then a real TMaskEdit (offscreen platform) takes the mask,
// the value and one key event per character of keys (printable characters are typed,
// control characters pick editing keys: Backspace, Delete, arrows, selection, clipboard,
// undo, the line-edit shortcuts). Checked:
//   - FormatMaskText gives the value unchanged when the mask is empty or the value does
//     not fit; otherwise a prefix of the full layout, which has one character per mask
//     position with every literal in place (and, when literals are not saved, the value's
//     characters in the input positions, in order);
//   - a masked edit shows one character per mask position with every literal in place
//     after every key;
//   - the text the program reads is stable: set back, it reads the same. Without the
//     literals it holds only what was typed, so typed characters after blank first
//     positions move to the first ones (and take those positions' case rule): from
//     there on it is stable.

#include "screens/consistemasks.h"
#include "screens/editmask.h"
#include "screens/tmaskedit.h"
#include "fuzzsupport.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>

namespace {

void checkLayout(const EditMask::ParsedMask &parsed, const QString &full)
{
    FUZZ_CHECK(full.size() == parsed.positions.size(), full);
    for (int i = 0; i < parsed.positions.size(); ++i)
        if (parsed.positions[i].literal)
            FUZZ_CHECK(full[i] == parsed.positions[i].ch, full);
}

void checkFormatter(const QString &mask, const QString &value)
{
    const EditMask::ParsedMask parsed = EditMask::Parse(mask);
    const QString formatted = Consiste::FormatMaskText(mask, value);
    QString full;
    if (parsed.isEmpty() || !EditMask::LayOut(parsed, value, true, full)) {
        FUZZ_CHECK(formatted == value, formatted);
        return;
    }
    checkLayout(parsed, full);
    FUZZ_CHECK(full.startsWith(formatted), formatted);
    FUZZ_CHECK(value.isEmpty() == formatted.isEmpty(), formatted);
    if (parsed.saveLiterals)
        return;
    int next = 0;
    for (int i = 0; i < parsed.positions.size(); ++i) {
        const EditMask::Position &position = parsed.positions[i];
        if (position.literal)
            continue;
        const QChar expected = next < value.size() ? EditMask::ApplyCase(position, value[next]) : parsed.blank;
        FUZZ_CHECK(full[i] == expected, full);
        ++next;
    }
}

// The editing keys the control characters of the input stand for.
struct EditingKey {
    int key;
    Qt::KeyboardModifiers modifiers;
    const char *text;
};

const EditingKey kEditingKeys[] = {
    {Qt::Key_Backspace, Qt::NoModifier, "\b"},
    {Qt::Key_Delete, Qt::NoModifier, "\x7f"},
    {Qt::Key_Left, Qt::NoModifier, ""},
    {Qt::Key_Right, Qt::NoModifier, ""},
    {Qt::Key_Home, Qt::NoModifier, ""},
    {Qt::Key_End, Qt::NoModifier, ""},
    {Qt::Key_Left, Qt::ShiftModifier, ""},
    {Qt::Key_Right, Qt::ShiftModifier, ""},
    {Qt::Key_Home, Qt::ShiftModifier, ""},
    {Qt::Key_End, Qt::ShiftModifier, ""},
    {Qt::Key_Return, Qt::NoModifier, "\r"},
    {Qt::Key_A, Qt::ControlModifier, "\x01"},
    {Qt::Key_C, Qt::ControlModifier, "\x03"},
    {Qt::Key_V, Qt::ControlModifier, "\x16"},
    {Qt::Key_X, Qt::ControlModifier, "\x18"},
    {Qt::Key_Z, Qt::ControlModifier, "\x1a"},
    {Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier, "\x1a"},
    {Qt::Key_Y, Qt::ControlModifier, "\x19"},
    {Qt::Key_Backspace, Qt::ControlModifier, "\b"},
    {Qt::Key_Delete, Qt::ControlModifier, "\x7f"},
    {Qt::Key_K, Qt::ControlModifier, "\x0b"},
    {Qt::Key_Left, Qt::ControlModifier, ""},
    {Qt::Key_Right, Qt::ControlModifier, ""},
    {Qt::Key_Left, Qt::ControlModifier | Qt::ShiftModifier, ""},
    {Qt::Key_Escape, Qt::NoModifier, "\x1b"},
    {Qt::Key_Insert, Qt::ShiftModifier, ""},
    {Qt::Key_Delete, Qt::ShiftModifier, "\x7f"},
    {Qt::Key_Insert, Qt::ControlModifier, ""},
    {Qt::Key_U, Qt::ControlModifier, "\x15"},
    {Qt::Key_A, Qt::AltModifier, "a"},
    {Qt::Key_Right, Qt::ControlModifier | Qt::ShiftModifier, ""},
    {Qt::Key_Tab, Qt::NoModifier, "\t"},
};

void press(TMaskEdit &edit, QChar c)
{
    const ushort code = c.unicode();
    if (code < std::size(kEditingKeys) || code == 0x7f) {
        const EditingKey &k = kEditingKeys[code == 0x7f ? 1 : code];
        QKeyEvent event(QEvent::KeyPress, k.key, k.modifiers, QString::fromLatin1(k.text));
        QApplication::sendEvent(&edit, &event);
        return;
    }
    const int key = code < 0x80 ? int(c.toUpper().unicode()) : int(Qt::Key_unknown);
    QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier, QString(c));
    QApplication::sendEvent(&edit, &event);
}

void checkShown(const TMaskEdit &edit, const EditMask::ParsedMask &parsed)
{
    if (parsed.isEmpty())
        return;
    checkLayout(parsed, edit.text());
}

void checkEdit(const QString &mask, const QString &value, const QString &keys, bool upperCase)
{
    QApplication::clipboard()->setText(value);
    const EditMask::ParsedMask parsed = EditMask::Parse(mask);
    TMaskEdit edit;
    edit.UpperCase = upperCase;
    // A hook as the screens use: one key dropped, one changed.
    edit.OnKeyPress = [](QChar &key) {
        if (key == QLatin1Char('*'))
            key = QChar();
        else if (key == QLatin1Char('~'))
            key = QLatin1Char('7');
    };
    edit.SetEditMask(mask);
    edit.SetText(value);
    checkShown(edit, parsed);
    for (const QChar c : keys) {
        press(edit, c);
        checkShown(edit, parsed);
    }
    if (!parsed.isEmpty() && !parsed.saveLiterals)
        edit.SetText(edit.Text());
    const QString read = edit.Text();
    edit.SetText(read);
    FUZZ_CHECK(edit.Text() == read, read + QStringLiteral(" → ") + edit.Text());
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // Only the program name: the fuzzer's own options are not for Qt.
    static int qtArgc = 1;
    static char *qtArgv[] = {(*argv)[0], nullptr};
    new QApplication(qtArgc, qtArgv);   // lives as long as the process
    return 0;
}

// Leaks are checked after each input that allocated more than it freed, as always. The
// check at exit is off: the application lives on to the end, and the font set-up it did
// (fontconfig's cache, which refers to its own blocks by offsets) reads as leaked then.
extern "C" const char *__asan_default_options()
{
    return "leak_check_at_exit=0";
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0)
        return 0;
    const bool upperCase = data[0] & 1;
    const QStringList parts = QString::fromUtf8(fuzz::bytesOf(data + 1, size - 1)).split(QLatin1Char('\n'));
    const QString mask = parts.value(0);
    const QString value = parts.value(1);
    const QString keys = parts.mid(2).join(QLatin1Char('\n'));

    checkFormatter(mask, value);
    checkEdit(mask, value, keys, upperCase);
    return 0;
}
