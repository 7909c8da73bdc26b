// The Linux program: GTK 3 and WebKitGTK around the portable core.

#include <gtk/gtk.h>

#include <cstdio>

#include "app/application.hpp"
#include "platform/gtk/artwork.hpp"
#include "platform/gtk/gtk_shell.hpp"
#include "platform/gtk/main_window.hpp"
#include "platform/gtk/webkit_browser.hpp"
#include "platform/linux/curl_http_client.hpp"
#include "platform/linux/iconv_converter.hpp"
#include "platform/linux/system_clock.hpp"

int main() {
    using namespace zivmora;
    if (!gtk_init_check(nullptr, nullptr)) {
        std::fputs("zivmora: the start-up window cannot be loaded: no display\n", stderr);
        return kExitLoadFailed;
    }
    zivmora_artwork_register_resource();
    try {
        linux_platform::CurlHttpClient http;
        linux_platform::IconvConverter converter;
        linux_platform::SystemClock clock;
        gtk::GtkShell shell;
        gtk::WebKitBrowser browser;
        gtk::MainWindow window(browser);
        Application application({window, browser, http, converter, shell, clock},
                                built_in_addresses());
        return application.run();
    } catch (const std::exception& error) {
        std::fprintf(stderr, "zivmora: %s\n", error.what());
        return kExitLoadFailed;
    }
}
