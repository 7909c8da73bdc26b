#pragma once

#include "ports/browser_port.hpp"
#include "ports/clock_port.hpp"
#include "ports/encoding_converter.hpp"
#include "ports/http_client.hpp"
#include "ports/shell_port.hpp"
#include "ports/window_port.hpp"

namespace zivmora {

// Everything the core calls out to, one port per concern.
struct Platform {
    WindowPort& window;
    BrowserPort& browser;
    HttpClient& http;
    EncodingConverter& converter;
    ShellPort& shell;
    ClockPort& clock;
};

}  // namespace zivmora
