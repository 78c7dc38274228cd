#pragma once
// Entry points of the module PKG_CMP04702: loading, unit start-up and the generic
// launcher the host finds by name. The screen functions live in their units
// (cli_cmp04702.h, cli_cmp04704.h, cli_cmp04706.h).

#include "pkg_export.h"

#include <QLocale>
#include <QString>
#include <QStringList>
#include <QVariant>

// Starts the module's units (Cli_cmp04704, Cli_cmp04706, Cli_cmp04702) and installs
// the language resource. Nested calls only count.
PKG_EXPORT void Initialize();
// Undoes one Initialize; the last one runs the units' clean-up in reverse order and
// removes the language resource.
PKG_EXPORT void Finalize();
// Generic launcher. `params`: null -> nothing; otherwise a list whose element 0 is the
// host form as an integer (qintptr). Raises EConvertError for anything else and
// EHostError for a form that is not a live widget of the application.
PKG_EXPORT void IniProc(const QVariant &params);
// The module's version as text (major.minor.release with three release digits).
PKG_EXPORT const char *ModuleVersion();
// The version of the host/module seam (runtime/moduleabi.h) the module was built with.
PKG_EXPORT int ModuleAbiVersion();

namespace Package {

// Start-up bookkeeping, for diagnostics: each entry "+Unit" (start-up ran) or "-Unit"
// (clean-up ran), in the order they happened.
QStringList UnitLog();
// How many start requests of the unit are outstanding.
int UnitStartCount(const QString &unitName);
// File of the language resource in use; empty when the built-in texts are used.
QString LanguageFile();
// The locale of the texts shown, for the numbers inside them: the default locale when
// a language resource for it is in use, otherwise Brazilian Portuguese (the built-in
// texts' own).
QLocale TextLocale();

} // namespace Package
