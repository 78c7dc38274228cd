#pragma once
// Flat button, lookup button and masked edit used on screens.

#include "hostlib_export.h"

#include <QLineEdit>
#include <QToolButton>
#include <functional>

class TDataSource;

// Flat tool button with a hint (tooltip) and a two-state glyph (normal, disabled).
class HOSTLIB_EXPORT TButtonFlat : public QToolButton {
    Q_OBJECT
public:
    explicit TButtonFlat(QWidget *parent = nullptr);
    // Runs the click handler as a user click would (when enabled).
    void Click() { click(); }
};

// Lookup button: on click fires OnBeforePesq, lists the rows of DataSource under Title
// in a modal single-choice list (EmptyError shown, and nothing else, when there are no
// rows), and after a pick leaves the picked row current and fires OnAfterPesq.
class HOSTLIB_EXPORT TBtnPesquisa : public QToolButton {
    Q_OBJECT
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
};

// Line edit with an edit mask in the form "mask;saveLiterals;blank" (see
// Consiste::FormatMaskText), an upper-case option, a key-press hook and an exit hook.
class HOSTLIB_EXPORT TMaskEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit TMaskEdit(QWidget *parent = nullptr);

    QString EditMask() const { return m_editMask; }
    void SetEditMask(const QString &editMask);
    bool UpperCase = false;
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
    QString m_editMask;
};
