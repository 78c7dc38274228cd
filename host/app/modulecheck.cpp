#include "modulecheck.h"

#include "runtime/moduleloader.h"

#include <QCoreApplication>
#include <QStringList>
#include <QTextStream>

int CheckModule(const QString &path, QTextStream &out, QTextStream &err)
{
    ModuleLoader module;
    if (!module.Load(path)) {
        err << module.ErrorString() << '\n';
        return 1;
    }
    QStringList missing;
    for (const char *name : ModuleAbi::ModuleExports) {
        if (!module.Resolve(name))
            missing.append(QString::fromLatin1(name));
    }
    if (!missing.isEmpty()) {
        err << QCoreApplication::translate("ModuleCheck", "O módulo \"%1\" não exporta: %2.")
                   .arg(path, missing.join(QStringLiteral(", ")))
            << '\n';
        return 1;
    }
    out << QCoreApplication::translate("ModuleCheck",
                                       "Módulo \"%1\" carregado, versão %2; todas as exportações encontradas.")
               .arg(path, QString::fromLatin1(module.Resolve(ModuleAbi::ModuleVersion)()))
        << '\n';
    return 0;
}
