#pragma once
// The handler guard. Every event handler of a screen runs through it: an error that
// leaves the handler is shown to the user in an error dialog and ends only that
// handler; the screen stays open and no exception crosses Qt's event loop.
// EAbort ends the handler silently (its message was shown already).

#include "hostlib_export.h"

#include <QWidget>
#include <exception>
#include <functional>
#include <utility>

namespace Guard {

// Runs fn; returns false when it ended with an error (already reported).
HOSTLIB_EXPORT bool Run(QWidget *parent, const std::function<void()> &fn);

// Shows the text in an error dialog over the parent (none: no owner), then gives the
// activation back to the parent's window. The one error display of the host library:
// the guard and Consiste::MensErro both show their messages through it.
HOSTLIB_EXPORT void ShowError(QWidget *parent, const QString &text);

// Shows the message of a caught error (nothing for EAbort).
HOSTLIB_EXPORT void Report(QWidget *parent, const std::exception &error);

// Wraps a callable so that each call runs through Run. The wrapper accepts exactly the
// arguments the callable accepts, so it connects to signals that carry more arguments
// than the handler takes (connect(button, &QAbstractButton::clicked, Wrap(this, [] {...}))).
template <class F>
auto Wrap(QWidget *parent, F fn)
{
    return [parent, fn](auto &&...args) -> decltype(fn(std::forward<decltype(args)>(args)...), void()) {
        Run(parent, [&] { fn(std::forward<decltype(args)>(args)...); });
    };
}

} // namespace Guard
