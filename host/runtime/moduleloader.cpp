#include "moduleloader.h"

#include <QCoreApplication>

namespace {

// The context of this file's texts in the translations.
struct Texts {
    Q_DECLARE_TR_FUNCTIONS(ModuleLoader)
};

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
        m_error = Texts::tr("Não foi possível carregar o módulo \"%1\": %2")
                      .arg(path, m_library.errorString());
        return false;
    }
    const QString missing = MissingExport();
    if (!missing.isEmpty())
        return Refuse(Texts::tr("O módulo \"%1\" não exporta a função %2.").arg(path, missing));
    // A module that does not report its seam version is taken as built for this one.
    if (auto abiVersion = Resolve(ModuleAbi::ModuleAbiVersion); abiVersion && abiVersion() != ModuleAbi::Version)
        return Refuse(Texts::tr("O módulo \"%1\" foi construído para a versão %2 da interface de módulos; "
                                "este programa usa a versão %3.")
                          .arg(path).arg(abiVersion()).arg(ModuleAbi::Version));
    Resolve(ModuleAbi::Initialize)();
    return true;
}

void ModuleLoader::Unload()
{
    if (!m_library.isLoaded())
        return;
    if (auto finalize = Resolve(ModuleAbi::Finalize))
        finalize();
    m_library.unload();
}

QFunctionPointer ModuleLoader::Resolve(const char *symbol)
{
    return m_library.isLoaded() ? m_library.resolve(symbol) : nullptr;
}

bool ModuleLoader::Refuse(const QString &message)
{
    m_error = message;
    m_library.unload();
    return false;
}

QString ModuleLoader::MissingExport()
{
    for (const char *symbol : ModuleAbi::RequiredExports) {
        if (!m_library.resolve(symbol))
            return QString::fromLatin1(symbol);
    }
    return QString();
}
