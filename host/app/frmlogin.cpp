#include "frmlogin.h"
#include "ui_frmlogin.h"

#include "runtime/quorvel.h"

#include <QPushButton>

TfrmLogin::TfrmLogin(const QString &server, QWidget *parent)
    : QDialog(parent)
    , m_ui(std::make_unique<Ui::TfrmLogin>())
{
    setObjectName(QStringLiteral("frmLogin"));
    m_ui->setupUi(this);
    m_ui->lblServidor->setText(tr("Servidor: %1").arg(server));
    m_ui->btbBotoes->button(QDialogButtonBox::Ok)->setText(tr("Entrar"));
    m_ui->btbBotoes->button(QDialogButtonBox::Cancel)->setText(tr("Cancelar"));
}

TfrmLogin::~TfrmLogin() = default;

bool TfrmLogin::Ask(HttpAppServer::Credentials &credentials, const QString &problem)
{
    m_ui->edtUsuario->setText(credentials.user);
    m_ui->edtSenha->clear();
    m_ui->lblProblema->setText(problem);
    m_ui->lblProblema->setVisible(!problem.isEmpty());
    (credentials.user.isEmpty() ? m_ui->edtUsuario : m_ui->edtSenha)->setFocus();
    if (exec() != QDialog::Accepted)
        return false;
    credentials.user = m_ui->edtUsuario->text().trimmed();
    credentials.password = m_ui->edtSenha->text();
    m_ui->edtSenha->clear();
    return true;
}

HttpAppServer::CredentialsPrompt TfrmLogin::Prompt(const QString &server)
{
    return [server](HttpAppServer::Credentials &credentials, const QString &problem) {
        TfrmLogin dialog(server, Quorvel::MainForm());
        return dialog.Ask(credentials, problem);
    };
}
