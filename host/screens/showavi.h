#pragma once
// The busy animation: a top-level window "frmShowAvi" over the main form, visible
// exactly while active.

#include "hostlib_export.h"

#include <QString>

class QWidget;

namespace Showavi {

using TShowAvi = int;       // animation kind; screens use 1 (server call) and 6 (list load)

HOSTLIB_EXPORT void ActiveShowAvi(QWidget *mainForm, TShowAvi kind, const QString &text = QString());
HOSTLIB_EXPORT void DeactiveShowAvi();
HOSTLIB_EXPORT bool ShowAviActive();
// What the animation shows now: its kind (0 while inactive) and its text.
HOSTLIB_EXPORT TShowAvi ShowAviKind();
HOSTLIB_EXPORT QString ShowAviText();

// Scope guard: animation on for the guard's lifetime, off on every exit path.
class HOSTLIB_EXPORT ShowAviScope {
public:
    ShowAviScope(QWidget *mainForm, TShowAvi kind, const QString &text = QString());
    ~ShowAviScope();
    ShowAviScope(const ShowAviScope &) = delete;
    ShowAviScope &operator=(const ShowAviScope &) = delete;
};

} // namespace Showavi
