#pragma once
// Unit Cli_cmp04704: the error screen listing the rows that block a registration.

#include "pkg_export.h"

class TfrmErroForneAteFili;

// The newest error screen; never cleared, never freed by the module.
PKG_EXPORT TfrmErroForneAteFili *frmErroForneAteFili;

// Creates the error screen over the registration screen's blocking rows and shows it
// modally; returns when it closes.
PKG_EXPORT void CriaErroForneAteFili();

namespace Cli_cmp04704 {
void Initialization();
void Finalization();
} // namespace Cli_cmp04704
