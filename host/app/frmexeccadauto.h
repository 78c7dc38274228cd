#pragma once
// The window "Execuções": the automatic registration runs, newest first, and "Desfazer",
// which takes the chosen run back through the application server's DesfazCadAuto after
// the user confirms.

#include <QWidget>
#include <memory>

class RunListModel;
namespace Ui { class TfrmExecCadAuto; }

class TfrmExecCadAuto : public QWidget {
    Q_OBJECT
public:
    // hostForm: the form that owns the server connection "netFornNAtende"; the window
    // stands over it.
    explicit TfrmExecCadAuto(QWidget *hostForm);
    ~TfrmExecCadAuto() override;

    // Reads the list again.
    void Refresh();

signals:
    // The run was taken back on the server (this list is read again already): the lists
    // that show its pairs are outdated.
    void runUndone(int number);

private:
    void UndoChosenRun();
    bool ConfirmUndo(int number, const QString &executed);
    void UpdateUndoButton();
    int ChosenRow() const;

    std::unique_ptr<Ui::TfrmExecCadAuto> m_ui;
    QWidget *m_hostForm;
    RunListModel *m_model;
};
