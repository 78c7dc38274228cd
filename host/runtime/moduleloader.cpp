#include "moduleloader.h"

namespace {

using VoidFunction = void (*)();

// Exports every module must carry for the host to drive it.
const char *const RequiredExports[] = {"Initialize", "Finalize", "IniProc"};

} // namespace

ModuleLoader::~ModuleLoader()
{
    Unload();
}

bool ModuleLoader::Load(const QString &path)
{
    if (m_library.isLoaded())
        Unload();
    m_error.clear();
    m_library.setFileName(path);
    if (!m_library.load()) {
        m_error = QStringLiteral("Não foi possível carregar o módulo \"%1\": %2")
                      .arg(path, m_library.errorString());
        return false;
    }
    for (const char *symbol : RequiredExports) {
        if (!m_library.resolve(symbol)) {
            m_error = QStringLiteral("O módulo \"%1\" não exporta a função %2.")
                          .arg(path, QString::fromLatin1(symbol));
            m_library.unload();
            return false;
        }
    }
    reinterpret_cast<VoidFunction>(m_library.resolve("Initialize"))();
    return true;
}

void ModuleLoader::Unload()
{
    if (!m_library.isLoaded())
        return;
    if (auto finalize = reinterpret_cast<VoidFunction>(m_library.resolve("Finalize")))
        finalize();
    m_library.unload();
}

QFunctionPointer ModuleLoader::Resolve(const char *symbol)
{
    return m_library.isLoaded() ? m_library.resolve(symbol) : nullptr;
}
