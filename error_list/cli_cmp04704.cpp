#include "cli_cmp04704.h"

#include "tfrmerroforneatefili.h"

#include "screens/qvl_msg.h"

#include <QLabel>

TfrmErroForneAteFili *frmErroForneAteFili = nullptr;

void CriaErroForneAteFili()
{
    TfrmErroForneAteFili *screen = CreateForm<TfrmErroForneAteFili>();
    TrackScreen(frmErroForneAteFili, screen);
    screen->lblErro->setText(screen->msgPadrao->Msg(QStringLiteral("Oper_bloq")));
    screen->exec();
}

namespace Cli_cmp04704 {

// The unit keeps no resources of its own.
void Initialization() {}
void Finalization() {}

} // namespace Cli_cmp04704
