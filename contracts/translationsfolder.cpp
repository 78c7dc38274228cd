#include "translationsfolder.h"

#include <QDir>

namespace contracts {

QString translationsFolder(const QString &programDir)
{
    // TRANSLATIONS_DIR_FROM_BIN: the install layout's translations folder relative to
    // bin/; the build tree mirrors it.
    return QDir::cleanPath(QDir(programDir).filePath(QStringLiteral(TRANSLATIONS_DIR_FROM_BIN)));
}

} // namespace contracts
