#pragma once
// The host application's main form. It owns the application-server connection
// component "netFornNAtende", launches the module's screen through the module's
// generic launcher IniProc, with itself as the host form, and opens the host's own
// windows over the registered data: "Fornecedores que atendem" and "Execuções" (one of
// each, kept while the form lives).

#include <QMainWindow>
#include <memory>

class ModuleLoader;
class TServerConnection;
class TfrmConsFornAtende;
class TfrmExecCadAuto;
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
    // Show (and read again) the list windows, creating them the first time.
    void ShowConsFornAtende();
    void ShowExecCadAuto();

private:
    void ShowAbout();
    // Reads the open list windows again: the registered data changed.
    void RefreshLists();
    static void Present(QWidget *window);

    std::unique_ptr<Ui::TfrmPrincipal> m_ui;
    TServerConnection *m_connection;
    ModuleLoader *m_module = nullptr;
    TfrmConsFornAtende *m_consFornAtende = nullptr;
    TfrmExecCadAuto *m_execCadAuto = nullptr;
};
