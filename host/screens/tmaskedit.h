#pragma once
// The masked edit used on screens.

#include "hostlib_export.h"

#include <QLineEdit>
#include <functional>

class QFocusEvent;
class QKeyEvent;

// Line edit with an edit mask in the form "mask;saveLiterals;blank" (see
// Consiste::FormatMaskText), an upper-case option, a key-press hook and an exit hook.
class HOSTLIB_EXPORT TMaskEdit : public QLineEdit {
    Q_OBJECT
    // For screen descriptions (.ui): <property name="editMask">, "upperCase"; the
    // maximum length is QLineEdit's "maxLength".
    Q_PROPERTY(QString editMask READ EditMask WRITE SetEditMask)
    Q_PROPERTY(bool upperCase READ upperCase WRITE setUpperCase)
public:
    explicit TMaskEdit(QWidget *parent = nullptr);

    QString EditMask() const { return m_editMask; }
    void SetEditMask(const QString &editMask);
    void setEditMask(const QString &editMask) { SetEditMask(editMask); }
    bool Masked() const;
    bool UpperCase = false;
    bool upperCase() const { return UpperCase; }
    void setUpperCase(bool on) { UpperCase = on; }
    // The text as the program reads it: with saveLiterals 0, only what was typed
    // (unfilled positions dropped, blanks between typed characters kept).
    QString Text() const;
    void SetText(const QString &text);

    // Runs for each typed character before the edit sees it; QChar() discards it.
    std::function<void(QChar &key)> OnKeyPress;
    // Runs when the focus leaves the edit.
    std::function<void()> OnExit;

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    int NextInput(int from) const;      // first input position at or after `from`, -1 none
    int PriorInput(int before) const;   // last input position before `before`, -1 none
    int EndOfTyped() const;             // position after the last filled input position
    void BlankRange(int from, int to);
    void TypeMasked(QChar c);
    bool HandleMaskedEditingKey(QKeyEvent *event);

    QString m_editMask;
};
