#include "frmprincipal.h"
#include "ui_frmprincipal.h"

#include "frmconsfornatende.h"
#include "frmexeccadauto.h"

#include "server/appserverclient.h"
#include "runtime/errors.h"
#include "runtime/guard.h"
#include "runtime/moduleloader.h"

#include <QMessageBox>
#include <QVariantList>

TfrmPrincipal::TfrmPrincipal(QObject *automationObject, QWidget *parent)
    : QMainWindow(parent),
      m_ui(std::make_unique<Ui::TfrmPrincipal>()),
      m_connection(new TServerConnection(this, automationObject))
{
    m_ui->setupUi(this);
    connect(m_ui->actCadAutRF, &QAction::triggered, this, &TfrmPrincipal::LaunchCadAutRF);
    connect(m_ui->actConsFornAtende, &QAction::triggered, this, &TfrmPrincipal::ShowConsFornAtende);
    connect(m_ui->actExecCadAuto, &QAction::triggered, this, &TfrmPrincipal::ShowExecCadAuto);
    connect(m_ui->actSair, &QAction::triggered, this, &QWidget::close);
    connect(m_ui->actSobre, &QAction::triggered, this, &TfrmPrincipal::ShowAbout);
}

TfrmPrincipal::~TfrmPrincipal() = default;

void TfrmPrincipal::SetModule(ModuleLoader *module)
{
    m_module = module;
    m_ui->actCadAutRF->setEnabled(module && module->IsLoaded());
}

void TfrmPrincipal::SetStatus(const QString &text)
{
    m_ui->statusbar->showMessage(text);
}

void TfrmPrincipal::LaunchCadAutRF()
{
    Guard::Run(this, [this] {
        auto iniProc = m_module ? m_module->Resolve(ModuleAbi::IniProc) : nullptr;
        if (!iniProc)
            throw EHostError(tr("O módulo de cadastramento automático não está carregado."));
        iniProc(QVariantList{QVariant::fromValue(reinterpret_cast<qintptr>(static_cast<QWidget *>(this)))});
    });
    RefreshLists();
}

void TfrmPrincipal::ShowConsFornAtende()
{
    if (!m_consFornAtende)
        m_consFornAtende = new TfrmConsFornAtende(this);
    m_consFornAtende->Refresh();
    Present(m_consFornAtende);
}

void TfrmPrincipal::ShowExecCadAuto()
{
    if (!m_execCadAuto) {
        m_execCadAuto = new TfrmExecCadAuto(this);
        connect(m_execCadAuto, &TfrmExecCadAuto::runUndone, this, &TfrmPrincipal::RefreshLists);
    }
    m_execCadAuto->Refresh();
    Present(m_execCadAuto);
}

void TfrmPrincipal::RefreshLists()
{
    // A window that is closed is read again when it opens.
    if (m_consFornAtende && m_consFornAtende->isVisible())
        m_consFornAtende->Refresh();
    if (m_execCadAuto && m_execCadAuto->isVisible())
        m_execCadAuto->Refresh();
}

void TfrmPrincipal::Present(QWidget *window)
{
    window->show();
    window->raise();
    window->activateWindow();
}

void TfrmPrincipal::ShowAbout()
{
    QString version = tr("desconhecida");
    if (m_module) {
        if (auto fn = m_module->Resolve(ModuleAbi::ModuleVersion))
            version = QString::fromLatin1(fn());
    }
    QMessageBox::about(this, tr("Sobre"), tr("Sistema de Compras\nMódulo PKG_CMP04702, versão %1").arg(version));
}
