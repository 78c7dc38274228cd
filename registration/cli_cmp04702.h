#pragma once
// Unit Cli_cmp04702: the registration screen's unit-wide variables and its factory.

#include "pkg_export.h"

class QWidget;
class TfrmCadAutRF;

// The newest registration screen, and the host form of the newest launch (the owner of
// the server connection "netFornNAtende"). Never cleared, never freed by the module.
PKG_EXPORT TfrmCadAutRF *frmCadAutRF;
PKG_EXPORT QWidget *frmFornAt;

// Creates a registration screen, keeps the host form for its server calls and shows the
// screen modally; returns its modal result. A host form that is null or not a live
// widget of the application is rejected with EHostError before anything is created.
PKG_EXPORT int CriaCadFornFil(QWidget *hostForm);

namespace Cli_cmp04702 {
void Initialization();
void Finalization();
} // namespace Cli_cmp04702
