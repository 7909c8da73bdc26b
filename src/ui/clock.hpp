#pragma once

#include <string>

#include "ports/clock_port.hpp"

namespace zivmora {

// The status bar's date-and-time text: the date, then the time down to its last non-zero
// component (midnight shows the date alone).
std::string clock_text(const LocalDateTime& time);

}  // namespace zivmora
