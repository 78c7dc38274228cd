#include "tfrmrotigeral.h"
#include "ui_tfrmrotigeral.h"

#include "buttons.h"
#include "qvl_msg.h"
#include "runtime/guard.h"
#include "runtime/quorvel.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPointer>
#include <QStyle>

namespace {

// Screens created without an owner belong to the application and go when it quits.
QList<QPointer<QWidget>> &UnownedScreens()
{
    static QList<QPointer<QWidget>> screens;
    return screens;
}

} // namespace

TfrmRotiGeral::TfrmRotiGeral(QWidget *parent)
    : QDialog(parent)
    , m_ui(std::make_unique<Ui::TfrmRotiGeral>())
{
    m_ui->setupUi(this);
    lblCodTela = m_ui->lblCodTela;
    grbDadosRel = m_ui->grbDadosRel;
    panMenu = m_ui->panMenu;
    panBotoes = m_ui->panBotoes;
    sbtConfirma = m_ui->sbtConfirma;
    sbtFechar = m_ui->sbtFechar;
    msgPadrao = new TMessages(this);
    MarkMainGroupBold();

    sbtConfirma->SetGlyph(style()->standardPixmap(QStyle::SP_DialogApplyButton));
    sbtFechar->SetGlyph(style()->standardPixmap(QStyle::SP_DialogCloseButton));
    connect(sbtConfirma, &QToolButton::clicked, this,
            [this] { Guard::Run(this, [this] { sbtConfirmaClick(); }); });
    connect(sbtFechar, &QToolButton::clicked, this, &QDialog::reject);
}

TfrmRotiGeral::~TfrmRotiGeral() = default;

void TfrmRotiGeral::Create()
{
    FormCreate();
}

void TfrmRotiGeral::FormCreate()
{
}

void TfrmRotiGeral::FormClose(TCloseAction & /*action*/)
{
}

void TfrmRotiGeral::FormActivate()
{
}

void TfrmRotiGeral::sbtConfirmaClick()
{
}

QWidget *TfrmRotiGeral::ConfirmControl() const
{
    return sbtConfirma;
}

void TfrmRotiGeral::done(int result)
{
    if (m_closing)
        return;
    m_closing = true;
    TCloseAction action = TCloseAction::caHide;
    const bool closed = Guard::Run(this, [&] { FormClose(action); });
    m_closing = false;
    // An error in the close handling, or caNone, keeps the screen open.
    if (!closed || action == TCloseAction::caNone)
        return;
    QDialog::done(result);
    if (action == TCloseAction::caFree)
        deleteLater();
}

void TfrmRotiGeral::AdoptDescription(QWidget *content)
{
    if (!content)
        return;
    // A description set up directly on the main group renames it after its own root.
    if (content == grbDadosRel) {
        grbDadosRel->setObjectName(QStringLiteral("grbDadosRel"));
        MarkMainGroupBold();
    }
    const QVariant codTela = content->property("codTela");
    if (codTela.isValid())
        lblCodTela->setText(codTela.toString());
    const QVariant lines = content->property("msgPadrao");
    if (lines.isValid())
        msgPadrao->SetLines(lines.toStringList());
    if (!content->windowTitle().isEmpty())
        setWindowTitle(content->windowTitle());
}

void TfrmRotiGeral::MarkMainGroupBold()
{
    // Only the group's own title: a style sheet font does not pass to the children.
    grbDadosRel->setStyleSheet(QStringLiteral("QGroupBox#grbDadosRel { font-weight: bold; }"));
}

bool TfrmRotiGeral::event(QEvent *event)
{
    if (event->type() != QEvent::WindowActivate)
        return QDialog::event(event);
    const bool handled = QDialog::event(event);
    if (m_activating)
        return handled;
    // The screen becomes active again when the box that reported a failed activation
    // closes; running the activation then would fail and show the box again, without
    // end. That one return is skipped; every other return (from a question, a message,
    // another screen) runs the activation.
    if (m_activationFailed) {
        m_activationFailed = false;
        return handled;
    }
    m_activating = true;
    m_activationFailed = !Guard::Run(this, [this] { FormActivate(); });
    m_activating = false;
    return handled;
}

void TfrmRotiGeral::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_F1 && event->modifiers() == Qt::NoModifier) {
        Quorvel::ShowHelp(HelpFile, HelpContext);
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);   // Esc rejects
}

QWidget *FormOwner()
{
    return Quorvel::MainForm();
}

void AdoptByApplication(QWidget *screen)
{
    auto &screens = UnownedScreens();
    if (screens.isEmpty()) {
        QObject::connect(qApp, &QCoreApplication::aboutToQuit, qApp, [] {
            const auto live = UnownedScreens();
            UnownedScreens().clear();
            for (const QPointer<QWidget> &screen : live)
                delete screen.data();
        });
    }
    screens.removeAll(nullptr);
    screens.append(screen);
}
