#pragma once

#include <string>

namespace zivmora {

class WindowPort;

// Replaces one part's text, parts counted from 0 at the left; an index outside the form's
// parts does nothing.
void write_status_part(WindowPort& window, int part, const std::string& text);

}  // namespace zivmora
