#pragma once
// Host-wide settings the host application sets and screens read.

#include "hostlib_export.h"

#include <QString>

class QWidget;

namespace Quorvel {

// Single-branch mode: the host runs bound to one branch. Empty code: multi-branch.
HOSTLIB_EXPORT void SetFiliProc(const QString &branch);
HOSTLIB_EXPORT bool ModuFili();
HOSTLIB_EXPORT QString FiliProc();

// The application's main form, over which the busy animation stands. When the host set
// none (or it was destroyed), the application's first visible top-level QMainWindow.
HOSTLIB_EXPORT void SetMainForm(QWidget *form);
HOSTLIB_EXPORT QWidget *MainForm();

// The host's help hook, run on F1 with the screen's help file and context.
using HelpHook = void (*)(const QString &helpFile, int helpContext);
HOSTLIB_EXPORT void SetHelpHook(HelpHook hook);
HOSTLIB_EXPORT void ShowHelp(const QString &helpFile, int helpContext);

} // namespace Quorvel
