#pragma once

#include <windows.h>

namespace zivmora::win32 {

// The object a window procedure serves: the last argument of CreateWindowExW, kept with the
// window from WM_NCCREATE on. Null for the few messages that come before it.
template <typename Owner>
Owner* window_owner(HWND window, UINT message, LPARAM lparam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lparam);
        SetWindowLongPtrW(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    return reinterpret_cast<Owner*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

}  // namespace zivmora::win32
