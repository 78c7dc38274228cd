#pragma once
// The host's own translations, the host library's and the program's, for the default
// locale (--lang, else the system's). None for that locale: the built-in Portuguese.

#include "runtime/languagefile.h"

#include <QString>
#include <QStringList>

// The translations folder reached from the program's folder: share/pkg-cmp04702/
// translations beside bin/, in the build tree as in an installed tree.
QString TranslationsFolder(const QString &programDir);

// Installs hostlib_<locale>.qm and pkg-host_<locale>.qm from that folder for as long as
// it lives.
class HostTranslations {
public:
    explicit HostTranslations(const QString &programDir);
    // The files installed.
    QStringList Files() const;

private:
    LanguageFile m_library;
    LanguageFile m_program;
};
