#include "languagefile.h"

#include <QCoreApplication>
#include <QLocale>
#include <QTranslator>

LanguageFile::LanguageFile(const QString &baseName, const QString &folder)
{
    // An empty folder would make the translator look in the working folder.
    if (folder.isEmpty())
        return;
    auto translator = std::make_unique<QTranslator>();
    if (translator->load(QLocale(), baseName, QStringLiteral("_"), folder)
        && QCoreApplication::installTranslator(translator.get()))
        m_translator = std::move(translator);
}

LanguageFile::~LanguageFile()
{
    if (m_translator)
        QCoreApplication::removeTranslator(m_translator.get());
}

QString LanguageFile::FilePath() const
{
    return m_translator ? m_translator->filePath() : QString();
}
