#pragma once
// Symbols the module exports to its host (plain C names, see the module ABI in docs/).
#include <QtCore/qglobal.h>

#define PKG_EXPORT extern "C" Q_DECL_EXPORT
