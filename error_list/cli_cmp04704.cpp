#include "cli_cmp04704.h"

#include "tfrmerroforneatefili.h"

#include "screens/qvl_msg.h"

#include <QLabel>

TfrmErroForneAteFili *frmErroForneAteFili = nullptr;

void CriaErroForneAteFili()
{
    frmErroForneAteFili = CreateForm<TfrmErroForneAteFili>();
    frmErroForneAteFili->lblErro()->setText(frmErroForneAteFili->msgPadrao->Msg(QStringLiteral("Oper_bloq")));
    frmErroForneAteFili->exec();
}

namespace Cli_cmp04704 {

// The unit keeps no resources of its own.
void Initialization() {}
void Finalization() {}

} // namespace Cli_cmp04704
