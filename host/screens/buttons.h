#pragma once
// Flat button and lookup button used on screens (the masked edit is in tmaskedit.h).

#include "hostlib_export.h"

#include <QPixmap>
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
