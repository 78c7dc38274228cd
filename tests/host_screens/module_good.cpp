// A minimal well-formed module for the loader test: records its start and end in the
// process environment, where the test reads them after the library is gone.

#include <QVariant>
#include <QtGlobal>

extern "C" {

Q_DECL_EXPORT void Initialize()
{
    qputenv("TEST_MODULE_STATE", "initialized");
}

Q_DECL_EXPORT void Finalize()
{
    qputenv("TEST_MODULE_STATE", "finalized");
}

Q_DECL_EXPORT void IniProc(const QVariant &)
{
}

}
