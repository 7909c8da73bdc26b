#include "platform/gtk/webkit_browser.hpp"

#include <algorithm>
#include <array>

#include "platform/gtk/guard.hpp"
#include "ports/window_events.hpp"
#include "ui/form.hpp"

namespace zivmora::gtk {
namespace {

// The five text sizes, smallest to largest, as zoom factors of the text.
constexpr std::array<double, 5> kTextZoom{0.75, 0.9, 1.0, 1.2, 1.5};

}  // namespace

WebKitBrowser::WebKitBrowser() = default;

GtkWidget* WebKitBrowser::create_view(const BrowserSettings& settings, WindowEvents& events) {
    context_.reset(webkit_web_context_new_ephemeral());
    if (!context_) {
        return nullptr;
    }
    GtkWidget* view = webkit_web_view_new_with_context(context_.get());
    if (!view) {
        return nullptr;
    }
    view_ = WEBKIT_WEB_VIEW(view);
    events_ = &events;

    WebKitSettings* web_settings = webkit_web_view_get_settings(view_);
    // window.open() must reach the create signal to be refused there.
    webkit_settings_set_javascript_can_open_windows_automatically(web_settings, TRUE);
    webkit_settings_set_zoom_text_only(web_settings, TRUE);
    webkit_settings_set_enable_developer_extras(web_settings, FALSE);
    const auto step = static_cast<std::size_t>(std::clamp(settings.text_size, 0, 4));
    webkit_web_view_set_zoom_level(view_, kTextZoom[step]);
    // Offline browsing off is the engine's normal state; silent mode is the script-dialog
    // handler below, the engine shows no other dialogs of its own.

    g_signal_connect(view, "decide-policy", G_CALLBACK(on_web_view_decide_policy), this);
    g_signal_connect(view, "create", G_CALLBACK(on_web_view_create), this);
    g_signal_connect(view, "mouse-target-changed", G_CALLBACK(on_web_view_mouse_target_changed),
                     this);
    g_signal_connect(view, "script-dialog", G_CALLBACK(on_web_view_script_dialog), this);
    g_signal_connect(view, "load-changed", G_CALLBACK(on_web_view_load_changed), this);

    if (!settings.address.empty()) {
        navigate(std::string(settings.address));
    }
    return view;
}

void WebKitBrowser::navigate(const std::string& address) {
    if (view_) {
        // Loading the URI that is already shown loads it again, as the program expects.
        webkit_web_view_load_uri(view_, address.c_str());
    }
}

gboolean WebKitBrowser::on_web_view_decide_policy(WebKitWebView*, WebKitPolicyDecision* decision,
                                                  WebKitPolicyDecisionType type,
                                                  WebKitBrowser* self) {
    switch (type) {
        case WEBKIT_POLICY_DECISION_TYPE_NEW_WINDOW_ACTION:
            // A target="_blank" link or form: never a second window; the core loads the
            // hovered link's address in place instead.
            webkit_policy_decision_ignore(decision);
            guarded([&] { self->events_->on_new_window_requested(); });
            return TRUE;
        case WEBKIT_POLICY_DECISION_TYPE_NAVIGATION_ACTION:
        case WEBKIT_POLICY_DECISION_TYPE_RESPONSE:
        default:
            // Ordinary loads and responses: the engine's own decision.
            return FALSE;
    }
}

GtkWidget* WebKitBrowser::on_web_view_create(WebKitWebView*, WebKitNavigationAction*,
                                             WebKitBrowser* self) {
    // A script's window.open(): refused by returning no view.
    guarded([&] { self->events_->on_new_window_requested(); });
    return nullptr;
}

void WebKitBrowser::on_web_view_mouse_target_changed(WebKitWebView*, WebKitHitTestResult* hit,
                                                     guint, WebKitBrowser* self) {
    // What a browser's status bar would show: the link under the pointer, else nothing.
    const char* link = webkit_hit_test_result_context_is_link(hit)
                           ? webkit_hit_test_result_get_link_uri(hit)
                           : nullptr;
    guarded([&] { self->events_->on_browser_status_text(link ? link : ""); });
}

void WebKitBrowser::on_web_view_load_changed(WebKitWebView*, WebKitLoadEvent event,
                                             WebKitBrowser* self) {
    // A new page replaces the link that was hovered on the old one, as a browser's status
    // bar forgets it. Without this, a page that opens a pop-up while it loads would have the
    // link that led to it loaded again, and again.
    if (event == WEBKIT_LOAD_COMMITTED) {
        guarded([&] { self->events_->on_browser_status_text(""); });
    }
}

gboolean WebKitBrowser::on_web_view_script_dialog(WebKitWebView*, WebKitScriptDialog*,
                                                  WebKitBrowser*) {
    return TRUE;  // handled: alert, confirm and prompt show nothing (confirm answers no)
}

}  // namespace zivmora::gtk
