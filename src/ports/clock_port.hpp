#pragma once

#include <cstdint>

namespace zivmora {

struct LocalDateTime {
    int year = 0;
    int month = 1;  // 1-12
    int day = 1;    // 1-31
    int hour = 0;   // 0-23
    int minute = 0;
    int second = 0;
};

class ClockPort {
public:
    virtual ~ClockPort() = default;
    // The local wall-clock time in whole seconds.
    virtual LocalDateTime local_now() const = 0;
    // Milliseconds since the system started, wrapping at 2^32.
    virtual std::uint32_t tick_count() const = 0;
};

}  // namespace zivmora
