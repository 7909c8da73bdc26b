#pragma once

#include <gtk/gtk.h>
#include <webkit2/webkit2.h>

#include "platform/gtk/gobject_ptr.hpp"
#include "ports/browser_port.hpp"

namespace zivmora {
class WindowEvents;
struct BrowserSettings;
}  // namespace zivmora

namespace zivmora::gtk {

// The browser box on WebKitGTK. The main window creates its view while it loads; from then
// on the engine's reports reach the core through WindowEvents.
class WebKitBrowser final : public BrowserPort {
public:
    WebKitBrowser();

    // The web view as the browser box; null when no web engine can be created.
    GtkWidget* create_view(const BrowserSettings& settings, WindowEvents& events);
    void navigate(const std::string& address) override;

private:
    static gboolean on_web_view_decide_policy(WebKitWebView* view, WebKitPolicyDecision* decision,
                                              WebKitPolicyDecisionType type, WebKitBrowser* self);
    static GtkWidget* on_web_view_create(WebKitWebView* view, WebKitNavigationAction* action,
                                         WebKitBrowser* self);
    static void on_web_view_mouse_target_changed(WebKitWebView* view, WebKitHitTestResult* hit,
                                                 guint modifiers, WebKitBrowser* self);
    static void on_web_view_load_changed(WebKitWebView* view, WebKitLoadEvent event,
                                         WebKitBrowser* self);
    static gboolean on_web_view_script_dialog(WebKitWebView* view, WebKitScriptDialog* dialog,
                                              WebKitBrowser* self);

    // No cookies, cache or history on disk: the program keeps no files of its own.
    GObjectPtr<WebKitWebContext> context_;
    WebKitWebView* view_ = nullptr;  // owned by the window's widget tree
    WindowEvents* events_ = nullptr;
};

}  // namespace zivmora::gtk
