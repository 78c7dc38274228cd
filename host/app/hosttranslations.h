#pragma once
// The host's translations for the default locale (--lang, else the system's): the host
// library's, the program's, the formats' and, for the in-process application server, the
// server's messages. None for that locale: the built-in Portuguese.

#include "runtime/languagefile.h"

#include <QString>
#include <QStringList>
#include <array>

// Installs hostlib_, pkg-host_, contracts_ and appserver_<locale>.qm from the
// translations folder (see translationsfolder.h) for as long as it lives.
class HostTranslations {
public:
    explicit HostTranslations(const QString &programDir);
    // The files installed.
    QStringList Files() const;

private:
    std::array<LanguageFile, 4> m_files;
};
