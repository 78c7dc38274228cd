#pragma once
// Loads a plug-in module at run time, resolves its exports, and unloads it; failures
// are reported as text, never as a crash.

#include "hostlib_export.h"
#include "moduleabi.h"

#include <QLibrary>
#include <QString>

class HOSTLIB_EXPORT ModuleLoader {
public:
    ModuleLoader() = default;
    // Unloads (Finalize first). Screens made by the module must be gone by then.
    ~ModuleLoader();
    // Loads the library and calls its Initialize export. False with ErrorString() set
    // when the file cannot be loaded, lacks Initialize/Finalize/IniProc, or reports a
    // module ABI version other than the host's.
    bool Load(const QString &path);
    // Calls Finalize and releases the library.
    void Unload();
    bool IsLoaded() const { return m_library.isLoaded(); }
    QFunctionPointer Resolve(const char *symbol);
    // An export of the module seam with its declared type; null when absent.
    template <typename T>
    T Resolve(ModuleAbi::Symbol<T> symbol)
    {
        return reinterpret_cast<T>(Resolve(symbol.name));
    }
    QString ErrorString() const { return m_error; }
private:
    bool Refuse(const QString &message);
    QString MissingExport();

    QLibrary m_library;
    QString m_error;
};
