#pragma once

#include "ports/clock_port.hpp"

namespace zivmora::linux_platform {

class SystemClock final : public ClockPort {
public:
    LocalDateTime local_now() const override;
    // Milliseconds since boot, wrapping at 2^32 like the tick count the seeding expects.
    std::uint32_t tick_count() const override;
};

}  // namespace zivmora::linux_platform
