#include "platform/linux/system_clock.hpp"

#include <ctime>

namespace zivmora::linux_platform {

LocalDateTime SystemClock::local_now() const {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
            local.tm_hour,        local.tm_min,     local.tm_sec};
}

std::uint32_t SystemClock::tick_count() const {
    timespec since_boot{};
    clock_gettime(CLOCK_BOOTTIME, &since_boot);
    const auto milliseconds = static_cast<std::uint64_t>(since_boot.tv_sec) * 1000u +
                              static_cast<std::uint64_t>(since_boot.tv_nsec) / 1000000u;
    return static_cast<std::uint32_t>(milliseconds);
}

}  // namespace zivmora::linux_platform
