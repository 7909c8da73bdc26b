#pragma once

#include <gtk/gtk.h>

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "platform/gtk/gobject_ptr.hpp"
#include "ports/window_port.hpp"

namespace zivmora {
struct Form;
}

namespace zivmora::gtk {

class WebKitBrowser;

// The main window on GTK 3. The controls are children of a GtkOverlay, placed by the core
// through get-child-position (negative places included) and restacked with
// gtk_overlay_reorder_overlay, which also decides which control a click reaches.
class MainWindow final : public WindowPort {
public:
    explicit MainWindow(WebKitBrowser& browser);
    ~MainWindow() override;
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    bool load(const Form& form, WindowEvents& events) override;
    bool exists() const override { return window_ != nullptr; }
    void show() override;
    int run_message_loop() override;
    void close() override;
    void destroy() override;
    void post_close_message() override;

    Size outer_size() const override;
    Size client_size() const override;
    Rect control_rect(ControlId control) const override;
    void place_control(ControlId control, const Rect& place) override;

    std::string text(ControlId control) const override;
    void set_text_silently(ControlId control, const std::string& text) override;
    void set_status_part_text(int part, const std::string& text) override;

    void apply_stacking(std::span<const ControlId> top_to_bottom) override;
    void set_focus(ControlId control) override;

private:
    bool build_controls(const Form& form);
    GtkWidget* build_edit_box(const Form& form, ControlId id);
    GtkWidget* build_toolbar(const Form& form);
    GtkWidget* build_status_bar(const Form& form);
    void apply_style(const Form& form);
    void connect_events(const Form& form);
    GtkWidget* widget(ControlId control) const;
    std::optional<ControlId> focused_control() const;
    void focus_default_if_unset();

    static gboolean on_overlay_get_child_position(GtkOverlay* overlay, GtkWidget* child,
                                                  GdkRectangle* allocation, MainWindow* self);
    static gboolean on_window_configure_event(GtkWidget* window, GdkEventConfigure* event,
                                              MainWindow* self);
    static gboolean on_window_map_event(GtkWidget* window, GdkEvent* event, MainWindow* self);
    static gboolean on_window_key_press_event(GtkWidget* window, GdkEventKey* event,
                                              MainWindow* self);
    static gboolean on_window_focus_in_event(GtkWidget* window, GdkEventFocus* event,
                                             MainWindow* self);
    static void on_window_destroy(GtkWidget* window, MainWindow* self);
    static void on_code_box_changed(GtkEditable* editable, MainWindow* self);
    static gboolean on_hint_box_button_press_event(GtkWidget* box, GdkEventButton* event,
                                                   MainWindow* self);
    static void on_toolbar_button_clicked(GtkButton* button, MainWindow* self);
    static gboolean on_status_bar_draw(GtkWidget* bar, cairo_t* cr, MainWindow* self);
    static void on_toolbar_realize(GtkWidget* toolbar, MainWindow* self);
    static gboolean on_clock_timer_tick(gpointer self);
    static gboolean on_close_message(gpointer self);

    WebKitBrowser& browser_;
    WindowEvents* events_ = nullptr;
    GtkWidget* window_ = nullptr;  // owned by GTK's list of toplevels until destroyed
    GtkWidget* overlay_ = nullptr;
    std::array<GtkWidget*, kControlCount> widgets_{};  // the controls themselves
    std::array<GtkWidget*, kControlCount> frames_{};   // the windows they are placed in
    std::array<Rect, kControlCount> places_{};
    std::array<std::string, 3> status_texts_;
    std::array<int, 3> status_right_edges_{};
    GObjectPtr<GtkCssProvider> css_;
    Size intended_outer_{};
    Size frame_{};  // the window manager's frame, known once the window is mapped
    Size last_notified_size_{};
    bool frame_adjusted_ = false;
    bool loop_running_ = false;
    gulong code_box_changed_handler_ = 0;
    guint clock_timer_ = 0;
    std::vector<guint> pending_close_messages_;
    guint32 last_key_time_ = 0;
    guint last_key_value_ = 0;
};

}  // namespace zivmora::gtk
