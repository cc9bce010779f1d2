#pragma once
// The one guard where Qt calls into the program's code: a menu item or a button
// chosen, a timer or a queued call run, a window loaded, unloaded or closed. No
// exception may cross Qt's event loop: a failure is shown in a message box (its own
// description) and the program goes on.

#include "Failure.h"

#include <exception>
#include <utility>

// Runs fn; a failure it throws is shown. True when fn ran to its end.
template <class F>
bool RunGuarded(F&& fn)
{
    try {
        std::forward<F>(fn)();
        return true;
    } catch (const std::exception& e) {
        ShowFailure(e);
        return false;
    }
}

// fn inside the guard, for a signal connection or a timer: connect(a, &QAction::
// triggered, this, Guarded([this] { ... })).
template <class F>
auto Guarded(F fn)
{
    return [fn = std::move(fn)]() { RunGuarded(fn); };
}
