#pragma once

#include <utility>

namespace zivmora::win32 {

// Runs core code from a window procedure or a COM method: no exception may unwind into the
// system's frames.
template <typename Result, typename Function>
Result guarded(Result fallback, Function&& function) noexcept {
    try {
        return std::forward<Function>(function)();
    } catch (...) {
        return fallback;
    }
}

template <typename Function>
void guarded(Function&& function) noexcept {
    try {
        std::forward<Function>(function)();
    } catch (...) {
    }
}

}  // namespace zivmora::win32
