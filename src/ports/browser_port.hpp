#pragma once

#include <string>

namespace zivmora {

// The embedded web engine inside the browser box.
class BrowserPort {
public:
    virtual ~BrowserPort() = default;
    // Starts loading the address in place, every time, also when it is already shown.
    virtual void navigate(const std::string& address) = 0;
};

}  // namespace zivmora
