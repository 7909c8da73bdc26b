#include "ui/status_bar.hpp"

#include "ports/window_port.hpp"
#include "ui/form.hpp"

namespace zivmora {

void write_status_part(WindowPort& window, int part, const std::string& text) {
    const int part_count = static_cast<int>(main_form().status_bar.parts.size());
    if (part >= 0 && part < part_count) {
        window.set_status_part_text(part, text);
    }
}

}  // namespace zivmora
