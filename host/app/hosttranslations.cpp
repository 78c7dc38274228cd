#include "hosttranslations.h"

#include <QDir>

QString TranslationsFolder(const QString &programDir)
{
    // HOST_TRANSLATIONS_DIR_FROM_BIN: the install layout's translations folder relative
    // to bin/; the build tree mirrors it.
    return QDir::cleanPath(QDir(programDir).filePath(QStringLiteral(HOST_TRANSLATIONS_DIR_FROM_BIN)));
}

HostTranslations::HostTranslations(const QString &programDir)
    : m_library(QStringLiteral("hostlib"), TranslationsFolder(programDir))
    , m_program(QStringLiteral("pkg-host"), TranslationsFolder(programDir))
{
}

QStringList HostTranslations::Files() const
{
    QStringList files;
    for (const LanguageFile *file : {&m_library, &m_program}) {
        if (!file->FilePath().isEmpty())
            files << file->FilePath();
    }
    return files;
}
