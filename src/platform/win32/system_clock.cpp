#include "platform/win32/system_clock.hpp"

#include <windows.h>

namespace zivmora::win32 {

LocalDateTime SystemClock::local_now() const {
    SYSTEMTIME local{};
    GetLocalTime(&local);
    return {local.wYear, local.wMonth, local.wDay, local.wHour, local.wMinute, local.wSecond};
}

std::uint32_t SystemClock::tick_count() const {
    return GetTickCount();
}

}  // namespace zivmora::win32
