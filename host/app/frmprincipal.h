#pragma once
// The host application's main form. It owns the application-server connection
// component "netFornNAtende" and launches the module's screen through the module's
// generic launcher IniProc, with itself as the host form.

#include <QMainWindow>
#include <memory>

class ModuleLoader;
class TServerConnection;
namespace Ui { class TfrmPrincipal; }

class TfrmPrincipal : public QMainWindow {
    Q_OBJECT
public:
    // automationObject: the application server's automation object (not owned).
    explicit TfrmPrincipal(QObject *automationObject, QWidget *parent = nullptr);
    ~TfrmPrincipal() override;

    // The loaded module whose screen the menu launches (not owned).
    void SetModule(ModuleLoader *module);
    // Text for the status bar: database and branch mode.
    void SetStatus(const QString &text);

    // Opens the registration screen modally through IniProc.
    void LaunchCadAutRF();

private:
    void ShowAbout();

    std::unique_ptr<Ui::TfrmPrincipal> m_ui;
    TServerConnection *m_connection;
    ModuleLoader *m_module = nullptr;
};
