#include "cli_cmp04702.h"

#include "tfrmcadautrf.h"

#include "runtime/errors.h"

#include <QApplication>
#include <QPointer>

TfrmCadAutRF *frmCadAutRF = nullptr;
QWidget *frmFornAt = nullptr;

namespace {

// The host form arrives as a plain integer: compare it with the application's widgets
// before it is ever used, so a stale or made-up value cannot be dereferenced.
void CheckHostForm(QWidget *hostForm)
{
    if (!hostForm)
        throw EHostError(QCoreApplication::translate("Cli_cmp04702", "O formulário hospedeiro não foi informado."));
    if (!QApplication::allWidgets().contains(hostForm))
        throw EHostError(QCoreApplication::translate(
            "Cli_cmp04702", "O formulário hospedeiro informado não é uma janela ativa da aplicação."));
}

} // namespace

int CriaCadFornFil(QWidget *hostForm)
{
    CheckHostForm(hostForm);
    TfrmCadAutRF *screen = CreateForm<TfrmCadAutRF>();
    TrackScreen(frmCadAutRF, screen);
    TrackScreen(frmFornAt, hostForm);
    // The owner may destroy the screen while it runs (the application quitting).
    QPointer<TfrmCadAutRF> running(screen);
    const int result = screen->exec();
    return running ? running->ModalResult() : result;
}

namespace Cli_cmp04702 {

// The unit keeps no resources of its own.
void Initialization() {}
void Finalization() {}

} // namespace Cli_cmp04702
