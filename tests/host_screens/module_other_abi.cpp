// A module built for another version of the host/module seam: it has every required
// export, but reports a seam version the host does not speak. The loader must refuse it
// without calling anything in it.

#include "runtime/moduleabi.h"

#include <QByteArray>
#include <QtGlobal>

extern "C" {

Q_DECL_EXPORT void Initialize()
{
    qputenv("TEST_MODULE_STATE", "other-version module initialized");
}

Q_DECL_EXPORT void Finalize()
{
    qputenv("TEST_MODULE_STATE", "other-version module finalized");
}

Q_DECL_EXPORT void IniProc(const QVariant &)
{
}

Q_DECL_EXPORT int ModuleAbiVersion()
{
    return ModuleAbi::Version + 1;
}

}
