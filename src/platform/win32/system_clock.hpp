#pragma once

#include "ports/clock_port.hpp"

namespace zivmora::win32 {

class SystemClock final : public ClockPort {
public:
    LocalDateTime local_now() const override;
    std::uint32_t tick_count() const override;
};

}  // namespace zivmora::win32
