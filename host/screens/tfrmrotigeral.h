#pragma once
// Base of every screen: a dialog with the screen-code label, the main group, the
// button panel on the right with the confirm button, and the message table.
//
// A derived screen describes its content in its own .ui (set up inside grbDadosRel,
// see AdoptDescription) and extends the hooks: FormCreate (base first), FormClose
// (base last), FormActivate, sbtConfirmaClick. Every hook the frame calls runs through
// the handler guard, so an error ends only that handler and the screen stays open.
// Closing by the close button, Esc or the window's close box ends the modal run with
// a result other than OK (Accepted = 1 = OK). Every end of the modal run (accept and
// done included) runs FormClose once; caNone, or an error in FormClose, keeps the screen
// open; caFree deletes it later. FormActivate runs at every activation, also when the
// screen becomes active again after a message box over it closed; the one exception is
// the return after the error box of a failed FormActivate, which is skipped so that a
// failing activation does not repeat itself forever.

#include "hostlib_export.h"

#include <QDialog>

#include <memory>

class QFrame;
class QGroupBox;
class QLabel;
class TButtonFlat;
class TMessages;

namespace Ui { class TfrmRotiGeral; }

class HOSTLIB_EXPORT TfrmRotiGeral : public QDialog {
    Q_OBJECT
public:
    enum class TCloseAction { caNone, caHide, caFree };

    explicit TfrmRotiGeral(QWidget *parent = nullptr);
    ~TfrmRotiGeral() override;

    // Frame components.
    QLabel *lblCodTela = nullptr;
    QGroupBox *grbDadosRel = nullptr;
    QFrame *panMenu = nullptr;
    QFrame *panBotoes = nullptr;
    TButtonFlat *sbtConfirma = nullptr;
    TButtonFlat *sbtFechar = nullptr;
    TMessages *msgPadrao = nullptr;

    // Runs the create handling (FormCreate). Called once by CreateForm after
    // construction; errors pass to the creator.
    void Create();

    virtual void FormCreate();
    virtual void FormClose(TCloseAction &action);
    virtual void FormActivate();
    virtual void sbtConfirmaClick();

    // The control whose enabled state a screen's confirmation may test.
    QWidget *ConfirmControl() const;

    // Help file and context handed to the host's help hook on F1.
    QString HelpFile;
    int HelpContext = 0;

    // The modal result of the last modal run.
    int ModalResult() const { return result(); }

    void done(int result) override;

protected:
    // Takes over a screen description set up on `content`: the content's dynamic
    // properties "codTela" (screen code) and "msgPadrao" (message lines) go to
    // lblCodTela and msgPadrao; the content's window title becomes the caption.
    void AdoptDescription(QWidget *content);

    bool event(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void MarkMainGroupBold();

    std::unique_ptr<Ui::TfrmRotiGeral> m_ui;
    bool m_closing = false;
    bool m_activating = false;
    bool m_activationFailed = false;
};

// Creates a screen owned by the application (the main form), then runs its create
// handling. The screen is destroyed with its owner; without a main form it is a
// top-level window that the application deletes when it quits (AdoptByApplication).
// When the create handling raises, the screen is deleted and the error passes on.
HOSTLIB_EXPORT QWidget *FormOwner();
HOSTLIB_EXPORT void AdoptByApplication(QWidget *screen);
template <class T>
T *CreateForm()
{
    auto *form = new T(FormOwner());
    if (!form->parent())
        AdoptByApplication(form);
    try {
        form->Create();
    } catch (...) {
        delete form;
        throw;
    }
    return form;
}

// Points a module-wide variable at a screen (or form) and keeps it true: the variable
// is cleared when that widget is destroyed by its owner, unless it points at a newer
// one by then. The connection runs code of the caller's module, so the widget must be
// gone before that module is unloaded.
template <class T>
void TrackScreen(T *&variable, T *screen)
{
    variable = screen;
    if (screen) {
        QObject::connect(screen, &QObject::destroyed, [&variable, screen] {
            if (variable == screen)
                variable = nullptr;
        });
    }
}
