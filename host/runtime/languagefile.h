#pragma once
// A Qt Linguist translation of built-in Portuguese texts, installed on the application
// while the object lives.

#include "hostlib_export.h"

#include <QString>
#include <memory>

class QTranslator;

class HOSTLIB_EXPORT LanguageFile {
public:
    // Looks in `folder` for <baseName>_<locale>.qm for the default locale (QLocale()),
    // the most specific name first ("en_US", then "en"), and installs the first one
    // found. None found, or no folder: nothing is installed and the built-in texts stay.
    LanguageFile(const QString &baseName, const QString &folder);
    // Removes the translation from the application.
    ~LanguageFile();
    LanguageFile(const LanguageFile &) = delete;
    LanguageFile &operator=(const LanguageFile &) = delete;

    // The file installed; empty when none was.
    QString FilePath() const;

private:
    std::unique_ptr<QTranslator> m_translator;
};
