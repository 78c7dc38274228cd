#pragma once
// Flat button, lookup button and masked edit used on screens.

#include "hostlib_export.h"

#include <QLineEdit>
#include <QPixmap>
#include <QToolButton>
#include <functional>

class QKeyEvent;
class TDataSource;

// Flat tool button with a hint (tooltip) and a two-state glyph (normal, disabled).
class HOSTLIB_EXPORT TButtonFlat : public QToolButton {
    Q_OBJECT
public:
    explicit TButtonFlat(QWidget *parent = nullptr);
    // Runs the click handler as a user click would (when enabled).
    void Click() { click(); }
    // The glyph in its two states; without a disabled image Qt greys the normal one.
    void SetGlyph(const QPixmap &normal, const QPixmap &disabled = QPixmap());
};

// Lookup button: on click fires OnBeforePesq, lists the rows of DataSource under Title
// in a modal single-choice list (EmptyError shown, and nothing else, when there are no
// rows), and after a pick leaves the picked row current and fires OnAfterPesq.
class HOSTLIB_EXPORT TBtnPesquisa : public QToolButton {
    Q_OBJECT
    // For screen descriptions (.ui): <property name="title">, "emptyError", "pesqChave".
    Q_PROPERTY(QString title READ title WRITE setTitle)
    Q_PROPERTY(QString emptyError READ emptyError WRITE setEmptyError)
    Q_PROPERTY(bool pesqChave READ pesqChave WRITE setPesqChave)
public:
    explicit TBtnPesquisa(QWidget *parent = nullptr);

    QWidget *Associate = nullptr;        // the edit the lookup serves (focus returns there)
    QString Title;
    TDataSource *DataSource = nullptr;
    QString EmptyError;
    bool PesqChave = false;              // the list is searched by its key column
    std::function<void(QObject *sender, bool &cancel)> OnBeforePesq;
    std::function<void(QObject *sender)> OnAfterPesq;

    // The modal list of the last click (for tests; nullptr when none is open).
    static QWidget *ActiveList();

    QString title() const { return Title; }
    void setTitle(const QString &title) { Title = title; }
    QString emptyError() const { return EmptyError; }
    void setEmptyError(const QString &text) { EmptyError = text; }
    bool pesqChave() const { return PesqChave; }
    void setPesqChave(bool on) { PesqChave = on; }

private:
    // The click: before event, list, pick, after event (errors end it, see Guard).
    void Pesquisar();
};

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
