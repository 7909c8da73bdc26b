#pragma once

#include <glib.h>

#include <exception>
#include <utility>

namespace zivmora::gtk {

// Runs core code from a GTK callback: no exception may unwind through C frames.
template <typename Result, typename Function>
Result guarded(Result fallback, Function&& function) noexcept {
    try {
        return std::forward<Function>(function)();
    } catch (const std::exception& error) {
        g_critical("zivmora: %s", error.what());
    } catch (...) {
        g_critical("zivmora: unexpected exception");
    }
    return fallback;
}

template <typename Function>
void guarded(Function&& function) noexcept {
    try {
        std::forward<Function>(function)();
    } catch (const std::exception& error) {
        g_critical("zivmora: %s", error.what());
    } catch (...) {
        g_critical("zivmora: unexpected exception");
    }
}

}  // namespace zivmora::gtk
