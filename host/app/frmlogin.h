#pragma once
// The login dialog of a host that works with a shared application server: user name
// and password, and the reason when it asks again (wrong password, expired session).

#include "server/httpappserver.h"

#include <QDialog>
#include <memory>

namespace Ui { class TfrmLogin; }

class TfrmLogin : public QDialog {
    Q_OBJECT
public:
    explicit TfrmLogin(const QString &server, QWidget *parent = nullptr);
    ~TfrmLogin() override;

    // Shows the dialog with the name pre-filled and the problem, if any; on OK fills
    // in the credentials. False when the user cancels.
    bool Ask(HttpAppServer::Credentials &credentials, const QString &problem);

    // A prompt for HttpAppServer that asks through this dialog.
    static HttpAppServer::CredentialsPrompt Prompt(const QString &server);

private:
    std::unique_ptr<Ui::TfrmLogin> m_ui;
};
