#include "navigation/browser_box.hpp"

#include "ports/browser_port.hpp"

namespace zivmora {

void BrowserBox::set_address(const std::string& address) {
    address_ = address;
    engine_.navigate(address_);
}

bool BrowserBox::handle_new_window_request() {
    const std::string target = status_text_;
    if (!target.empty()) {
        set_address(target);
    }
    return false;
}

}  // namespace zivmora
