#pragma once
#include <QtCore/qglobal.h>

#if defined(HOSTLIB_BUILD)
#  define HOSTLIB_EXPORT Q_DECL_EXPORT
#else
#  define HOSTLIB_EXPORT Q_DECL_IMPORT
#endif
