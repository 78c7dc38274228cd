#include "frmexeccadauto.h"
#include "ui_frmexeccadauto.h"

#include "listwindow.h"
#include "runlistmodel.h"

#include "runtime/guard.h"
#include "runtime/quorvel.h"
#include "screens/showavi.h"
#include "server/appserverclient.h"

#include <QItemSelectionModel>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>

namespace {

// The busy animation's kind for a call to the application server.
constexpr Showavi::TShowAvi AviServerCall = 1;

} // namespace

TfrmExecCadAuto::TfrmExecCadAuto(QWidget *hostForm)
    : QWidget(hostForm, Qt::Window)
    , m_ui(std::make_unique<Ui::TfrmExecCadAuto>())
    , m_hostForm(hostForm)
    , m_model(new RunListModel(RunListModel::DefaultPageSize, this))
{
    m_ui->setupUi(this);
    ListWindow::SetUpGrid(m_ui->dbgExecucoes, m_model);
    connect(m_ui->dbgExecucoes->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &TfrmExecCadAuto::UpdateUndoButton);
    connect(m_model, &RunListModel::modelReset, this, &TfrmExecCadAuto::UpdateUndoButton);
    ListWindow::ShowCountIn(m_ui->lblTotal, m_model,
                            {tr("Mostrando as %1 execuções mais recentes; role até o fim da lista para ver mais."),
                             tr("Nenhuma execução registrada."), tr("1 execução"), tr("%1 execuções")});
    ListWindow::ReportFailures(this, m_model);
    connect(m_ui->btnDesfazer, &QPushButton::clicked, this, Guard::Wrap(this, [this] { UndoChosenRun(); }));
    connect(m_ui->btnAtualizar, &QPushButton::clicked, this, &TfrmExecCadAuto::Refresh);
    connect(m_ui->btnFechar, &QPushButton::clicked, this, &QWidget::close);
}

TfrmExecCadAuto::~TfrmExecCadAuto() = default;

void TfrmExecCadAuto::Refresh()
{
    m_model->Reload();
}

int TfrmExecCadAuto::ChosenRow() const
{
    // The selected row, not merely the current one: the grid makes its first row current
    // when it gets the focus, without the user having chosen it.
    const QModelIndexList chosen = m_ui->dbgExecucoes->selectionModel()->selectedRows();
    return chosen.isEmpty() ? -1 : chosen.constFirst().row();
}

void TfrmExecCadAuto::UpdateUndoButton()
{
    const int row = ChosenRow();
    m_ui->btnDesfazer->setEnabled(row >= 0 && m_model->RunAt(row).CanUndo());
}

void TfrmExecCadAuto::UndoChosenRun()
{
    const int row = ChosenRow();
    if (row < 0)
        return;
    const RunListModel::Run run = m_model->RunAt(row);
    if (!run.CanUndo() || !ConfirmUndo(run.number, run.executed))
        return;
    QVariant taken;
    {
        Showavi::ShowAviScope avi(Quorvel::MainForm(), AviServerCall);
        QVariantList args{run.number};
        taken = AppServerClient::Call(m_hostForm, QStringLiteral("DesfazCadAuto"), args);
    }
    const qint64 pairs = taken.toLongLong();
    m_ui->lblResultado->setText(pairs == 1 ? tr("Execução %1 desfeita: 1 par retirado.").arg(run.number)
                                           : tr("Execução %1 desfeita: %2 pares retirados.")
                                                 .arg(run.number)
                                                 .arg(QLocale().toString(pairs)));
    Refresh();
    emit runUndone(run.number);
}

bool TfrmExecCadAuto::ConfirmUndo(int number, const QString &executed)
{
    QMessageBox question(QMessageBox::Question, tr("Desfazer execução"),
                         tr("Desfazer a execução %1, de %2?\n\nOs pares que ela incluiu serão excluídos e os que "
                            "ela substituiu voltarão aos valores anteriores.")
                             .arg(number)
                             .arg(executed),
                         QMessageBox::Yes | QMessageBox::No, this);
    question.button(QMessageBox::Yes)->setText(tr("&Sim"));
    question.button(QMessageBox::No)->setText(tr("&Não"));
    question.setDefaultButton(QMessageBox::No);
    question.setEscapeButton(QMessageBox::No);
    return question.exec() == QMessageBox::Yes;
}
