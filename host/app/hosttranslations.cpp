#include "hosttranslations.h"

#include "translationsfolder.h"

HostTranslations::HostTranslations(const QString &programDir)
    : m_files{LanguageFile(QStringLiteral("hostlib"), contracts::translationsFolder(programDir)),
              LanguageFile(QStringLiteral("pkg-host"), contracts::translationsFolder(programDir)),
              LanguageFile(QStringLiteral("contracts"), contracts::translationsFolder(programDir)),
              LanguageFile(QStringLiteral("appserver"), contracts::translationsFolder(programDir))}
{
}

QStringList HostTranslations::Files() const
{
    QStringList files;
    for (const LanguageFile &file : m_files) {
        if (!file.FilePath().isEmpty())
            files << file.FilePath();
    }
    return files;
}
