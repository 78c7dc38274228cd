// A module that lacks the Finalize and IniProc exports: the loader must refuse it
// without calling anything in it.

#include <QByteArray>
#include <QtGlobal>

extern "C" Q_DECL_EXPORT void Initialize()
{
    qputenv("TEST_MODULE_STATE", "broken module initialized");
}
