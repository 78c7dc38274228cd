#include "modulelocation.h"

#include "runtime/moduleabi.h"

#include <QDir>
#include <QFileInfo>

QStringList ModuleCandidates(const QString &programDir)
{
    const QDir dir(programDir);
    const QString file = QLatin1String(ModuleAbi::FileName);
    // HOST_MODULE_DIR_FROM_BIN: the install layout's module folder relative to bin/.
    return {QDir::cleanPath(dir.filePath(file)),
            QDir::cleanPath(dir.filePath(QStringLiteral(HOST_MODULE_DIR_FROM_BIN "/") + file))};
}

QString FindModule(const QString &programDir)
{
    const QStringList candidates = ModuleCandidates(programDir);
    for (const QString &candidate : candidates) {
        if (QFileInfo::exists(candidate))
            return candidate;
    }
    return candidates.first();
}
