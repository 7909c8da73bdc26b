#include "platform/gtk/main_window.hpp"

#include <algorithm>

#include "platform/gtk/guard.hpp"
#include "platform/gtk/webkit_browser.hpp"
#include "ports/window_events.hpp"
#include "ui/form.hpp"

namespace zivmora::gtk {
namespace {

constexpr const char* kStripResource = "/org/zivmora/toolbar-strip.svg";
constexpr const char* kIconResource = "/org/zivmora/zivmora.svg";
constexpr const char* kButtonIndexKey = "zivmora-button-index";
// A blank toolbar button still needs room to be clicked.
constexpr int kBlankButtonSize = 24;
// Padding around the status bar's text, and the gap between two of its parts.
constexpr int kStatusTextPadding = 3;
constexpr int kStatusPartGap = 2;

std::size_t slot(ControlId control) {
    return static_cast<std::size_t>(control);
}

const char* css_name(ControlId control) {
    switch (control) {
        case ControlId::browser_box:
            return "zivmora-browser-box";
        case ControlId::hint_box:
            return "zivmora-hint-box";
        case ControlId::clock_timer:
            return "zivmora-clock-timer";
        case ControlId::status_bar:
            return "zivmora-status-bar";
        case ControlId::toolbar:
            return "zivmora-toolbar";
        case ControlId::code_box:
            return "zivmora-code-box";
    }
    return "";
}

std::string css_colour(const Rgb& colour) {
    return "rgb(" + std::to_string(colour.red) + "," + std::to_string(colour.green) + "," +
           std::to_string(colour.blue) + ")";
}

Key key_of(guint keyval) {
    switch (keyval) {
        case GDK_KEY_Tab:
        case GDK_KEY_KP_Tab:
        case GDK_KEY_ISO_Left_Tab:
            return Key::tab;
        case GDK_KEY_Escape:
            return Key::escape;
        case GDK_KEY_Return:
        case GDK_KEY_KP_Enter:
            return Key::enter;
        case GDK_KEY_F1:
            return Key::f1;
        default:
            return Key::other;
    }
}

void set_icon_list() {
    GList* icons = nullptr;
    for (int size : {16, 24, 32, 48, 64, 128, 256}) {
        if (GdkPixbuf* icon =
                gdk_pixbuf_new_from_resource_at_scale(kIconResource, size, size, TRUE, nullptr)) {
            icons = g_list_append(icons, icon);
        }
    }
    gtk_window_set_default_icon_list(icons);
    g_list_free_full(icons, g_object_unref);
}

}  // namespace

MainWindow::MainWindow(WebKitBrowser& browser) : browser_(browser) {}

MainWindow::~MainWindow() {
    for (guint source : pending_close_messages_) {
        g_source_remove(source);
    }
    if (window_) {
        gtk_widget_destroy(window_);
    }
}

bool MainWindow::load(const Form& form, WindowEvents& events) {
    events_ = &events;
    set_icon_list();

    window_ = gtk_window_new(GTK_WINDOW_TOPLEVEL);
    gtk_window_set_title(GTK_WINDOW(window_), std::string(form.window.title).c_str());
    gtk_window_set_resizable(GTK_WINDOW(window_), form.window.sizable);
    gtk_window_set_keep_above(GTK_WINDOW(window_), form.window.always_on_top);
    gtk_window_set_skip_taskbar_hint(GTK_WINDOW(window_), !form.window.shown_in_taskbar);
    intended_outer_ = form.window.outer_size;
    // Without a window manager there is no frame and the outer size is the client size; with
    // one, the frame is taken off once it is known (on_window_map_event).
    gtk_window_set_default_size(GTK_WINDOW(window_), intended_outer_.width, intended_outer_.height);
    GdkDisplay* display = gtk_widget_get_display(window_);
    if (GdkMonitor* monitor = gdk_display_get_primary_monitor(display)
                                  ? gdk_display_get_primary_monitor(display)
                                  : gdk_display_get_monitor(display, 0)) {
        GdkRectangle screen{};
        gdk_monitor_get_geometry(monitor, &screen);
        const Rect place = centred_window_place({screen.width, screen.height}, intended_outer_);
        gtk_window_move(GTK_WINDOW(window_), screen.x + place.left, screen.y + place.top);
    }

    overlay_ = gtk_overlay_new();
    gtk_container_add(GTK_CONTAINER(overlay_), gtk_box_new(GTK_ORIENTATION_VERTICAL, 0));
    gtk_container_add(GTK_CONTAINER(window_), overlay_);
    if (!build_controls(form)) {
        gtk_widget_destroy(window_);
        window_ = nullptr;
        return false;
    }
    apply_style(form);
    gtk_widget_show_all(overlay_);
    for (const ControlRecord& record : form.controls) {
        if (GtkWidget* frame = frames_[slot(record.id)]; frame && !record.visible) {
            gtk_widget_hide(frame);
        }
    }
    // Only now: nothing that happened while building reaches the core.
    connect_events(form);
    return true;
}

bool MainWindow::build_controls(const Form& form) {
    for (const ControlRecord& record : form.controls) {
        places_[slot(record.id)] = record.place;
        GtkWidget* control = nullptr;
        switch (record.kind) {
            case ControlKind::html_viewer:
                control = browser_.create_view(form.browser, *events_);
                break;
            case ControlKind::edit_box:
                control = build_edit_box(form, record.id);
                break;
            case ControlKind::timer:
                continue;  // a timer has no window of its own here
            case ControlKind::status_bar:
                control = build_status_bar(form);
                break;
            case ControlKind::tool_bar:
                control = build_toolbar(form);
                break;
        }
        if (!control) {
            return false;
        }
        gtk_widget_set_name(control, css_name(record.id));
        gtk_widget_set_sensitive(control, !record.disabled);
        // Every control sits in a window of its own: GtkOverlay then draws and delivers
        // clicks by its stacking order for all of them alike (a windowless control such as
        // an entry would otherwise stay under a windowed one whatever the order).
        GtkWidget* frame = gtk_event_box_new();
        gtk_container_add(GTK_CONTAINER(frame), control);
        gtk_overlay_add_overlay(GTK_OVERLAY(overlay_), frame);
        frames_[slot(record.id)] = frame;
        widgets_[slot(record.id)] = control;
    }
    return true;
}

GtkWidget* MainWindow::build_edit_box(const Form& form, ControlId id) {
    GtkWidget* box = gtk_entry_new();
    const std::string_view text =
        id == ControlId::hint_box ? form.edit_boxes.hint_text : form.edit_boxes.code_text;
    gtk_entry_set_text(GTK_ENTRY(box), std::string(text).c_str());
    gtk_entry_set_has_frame(GTK_ENTRY(box), form.edit_boxes.sunken_border);
    gtk_entry_set_width_chars(GTK_ENTRY(box), 1);  // the form gives the width
    return box;
}

GtkWidget* MainWindow::build_toolbar(const Form& form) {
    const ToolbarSettings& settings = form.toolbar;
    GError* error = nullptr;
    GObjectPtr<GdkPixbuf> strip(gdk_pixbuf_new_from_resource(kStripResource, &error));
    if (!strip) {
        // The buttons still work without their pictures.
        g_warning("zivmora: toolbar pictures: %s", error ? error->message : "not loaded");
        g_clear_error(&error);
    }
    GtkWidget* toolbar = gtk_event_box_new();  // its own window: the white background, the cursor
    GtkWidget* row = gtk_box_new(GTK_ORIENTATION_HORIZONTAL, 0);
    // The toolbar starts left of the window's edge; keep its first button in sight.
    gtk_widget_set_margin_start(row, -form.control(ControlId::toolbar).place.left);
    gtk_container_add(GTK_CONTAINER(toolbar), row);
    for (std::size_t i = 0; i < settings.buttons.size(); ++i) {
        const ToolbarButton& button_record = settings.buttons[i];
        GtkWidget* button = gtk_button_new();
        gtk_button_set_relief(GTK_BUTTON(button),
                              settings.flat ? GTK_RELIEF_NONE : GTK_RELIEF_NORMAL);
        // Toolbar buttons never take the keyboard focus.
        gtk_widget_set_can_focus(button, FALSE);
        gtk_widget_set_focus_on_click(button, FALSE);
        GtkWidget* content = gtk_box_new(GTK_ORIENTATION_HORIZONTAL, 4);
        if (button_record.image && strip) {
            const int image = *button_record.image;
            GObjectPtr<GdkPixbuf> picture(gdk_pixbuf_new_subpixbuf(
                strip.get(), (image % settings.images_per_row) * settings.image_size,
                (image / settings.images_per_row) * settings.image_size, settings.image_size,
                settings.image_size));
            gtk_box_pack_start(GTK_BOX(content), gtk_image_new_from_pixbuf(picture.get()), FALSE,
                               FALSE, 0);
        }
        if (!button_record.text.empty()) {
            gtk_box_pack_start(GTK_BOX(content),
                               gtk_label_new(std::string(button_record.text).c_str()), FALSE, FALSE,
                               0);
        } else if (!button_record.image) {
            gtk_widget_set_size_request(button, kBlankButtonSize, kBlankButtonSize);
        }
        gtk_container_add(GTK_CONTAINER(button), content);
        const std::string_view tip = toolbar_tip_text(button_record.tip, settings.tip_limit_bytes);
        if (settings.tool_tips && !tip.empty()) {
            gtk_widget_set_tooltip_text(button, std::string(tip).c_str());
        }
        g_object_set_data(G_OBJECT(button), kButtonIndexKey, GINT_TO_POINTER(static_cast<int>(i)));
        if (form.has_binding(ControlId::toolbar, FormEvent::toolbar_clicked)) {
            g_signal_connect(button, "clicked", G_CALLBACK(on_toolbar_button_clicked), this);
        }
        gtk_box_pack_start(GTK_BOX(row), button, FALSE, FALSE, 0);
    }
    g_signal_connect(toolbar, "realize", G_CALLBACK(on_toolbar_realize), this);
    return toolbar;
}

GtkWidget* MainWindow::build_status_bar(const Form& form) {
    GtkWidget* bar = gtk_drawing_area_new();
    for (std::size_t i = 0; i < form.status_bar.parts.size(); ++i) {
        status_texts_[i] = std::string(form.status_bar.parts[i].initial_text);
    }
    status_right_edges_ = status_part_right_edges(form.status_bar);
    // The bar's own height: one line of its font with the sunken frame around it.
    PangoLayout* layout = gtk_widget_create_pango_layout(bar, status_texts_[0].c_str());
    int text_width = 0;
    int text_height = 0;
    pango_layout_get_pixel_size(layout, &text_width, &text_height);
    g_object_unref(layout);
    Rect& place = places_[slot(ControlId::status_bar)];
    place.height = std::max(place.height, text_height + 2 * kStatusTextPadding + kStatusPartGap);
    g_signal_connect(bar, "draw", G_CALLBACK(on_status_bar_draw), this);
    return bar;
}

void MainWindow::apply_style(const Form& form) {
    const EditBoxSettings& boxes = form.edit_boxes;
    const std::string boxes_selector =
        std::string("#") + css_name(ControlId::hint_box) + ", #" + css_name(ControlId::code_box);
    const std::string css = boxes_selector + " { color: " + css_colour(boxes.text_colour) +
                            "; caret-color: " + css_colour(boxes.text_colour) +
                            "; background-color: " + css_colour(boxes.background_colour) +
                            "; background-image: none; border: 2px inset #a0a0a0; border-radius: 0;"
                            " box-shadow: none; min-height: 0; padding: 0 3px; }\n"
                            "#" +
                            css_name(ControlId::toolbar) +
                            " { background-color: " + css_colour(form.toolbar.background) +
                            (form.toolbar.divider ? "; border-top: 1px solid #c8c8c8" : "") +
                            "; }\n"
                            "#" +
                            css_name(ControlId::toolbar) +
                            " button { font-size: " + std::to_string(form.toolbar.font_height_px) +
                            "px; padding: 1px 5px; margin: 2px 0; min-height: 0; min-width: 0; }\n";
    css_.reset(gtk_css_provider_new());
    gtk_css_provider_load_from_data(css_.get(), css.c_str(), -1, nullptr);
    gtk_style_context_add_provider_for_screen(gtk_widget_get_screen(window_),
                                              GTK_STYLE_PROVIDER(css_.get()),
                                              GTK_STYLE_PROVIDER_PRIORITY_APPLICATION);
}

void MainWindow::connect_events(const Form& form) {
    // The window's own plumbing: placing, keys, focus, the end of the loop.
    g_signal_connect(overlay_, "get-child-position", G_CALLBACK(on_overlay_get_child_position),
                     this);
    g_signal_connect(window_, "map-event", G_CALLBACK(on_window_map_event), this);
    g_signal_connect(window_, "key-press-event", G_CALLBACK(on_window_key_press_event), this);
    g_signal_connect(window_, "focus-in-event", G_CALLBACK(on_window_focus_in_event), this);
    g_signal_connect(window_, "destroy", G_CALLBACK(on_window_destroy), this);
    // The events the form binds to handlers.
    if (form.has_binding(std::nullopt, FormEvent::size_changed)) {
        g_signal_connect(window_, "configure-event", G_CALLBACK(on_window_configure_event), this);
    }
    if (form.has_binding(ControlId::code_box, FormEvent::text_changed)) {
        code_box_changed_handler_ = g_signal_connect(widget(ControlId::code_box), "changed",
                                                     G_CALLBACK(on_code_box_changed), this);
    }
    if (form.has_binding(ControlId::hint_box, FormEvent::left_button_pressed)) {
        g_signal_connect(widget(ControlId::hint_box), "button-press-event",
                         G_CALLBACK(on_hint_box_button_press_event), this);
    }
    if (form.has_binding(ControlId::clock_timer, FormEvent::tick) && form.timer.interval_ms > 0) {
        clock_timer_ = g_timeout_add(static_cast<guint>(form.timer.interval_ms),
                                     &MainWindow::on_clock_timer_tick, this);
    }
}

GtkWidget* MainWindow::widget(ControlId control) const {
    return widgets_[slot(control)];
}

void MainWindow::show() {
    if (!window_) {
        return;
    }
    focus_default_if_unset();
    gtk_widget_show(window_);
}

int MainWindow::run_message_loop() {
    if (!window_) {
        return 0;
    }
    loop_running_ = true;
    gtk_main();
    loop_running_ = false;
    return 0;
}

void MainWindow::close() {
    if (window_) {
        gtk_window_close(GTK_WINDOW(window_));
    }
}

void MainWindow::destroy() {
    if (window_) {
        gtk_widget_destroy(window_);
    }
}

void MainWindow::post_close_message() {
    pending_close_messages_.push_back(
        g_idle_add_full(G_PRIORITY_DEFAULT, &MainWindow::on_close_message, this, nullptr));
}

Size MainWindow::outer_size() const {
    if (window_ && gtk_widget_get_realized(window_)) {
        GdkRectangle frame{};
        gdk_window_get_frame_extents(gtk_widget_get_window(window_), &frame);
        return {frame.width, frame.height};
    }
    return intended_outer_;
}

Size MainWindow::client_size() const {
    if (window_ && gtk_widget_get_realized(window_)) {
        int width = 0;
        int height = 0;
        gtk_window_get_size(GTK_WINDOW(window_), &width, &height);
        return {width, height};
    }
    return {intended_outer_.width - frame_.width, intended_outer_.height - frame_.height};
}

Rect MainWindow::control_rect(ControlId control) const {
    return places_[slot(control)];
}

void MainWindow::place_control(ControlId control, const Rect& place) {
    places_[slot(control)] = place;
    if (overlay_) {
        gtk_widget_queue_resize(overlay_);
    }
}

std::string MainWindow::text(ControlId control) const {
    GtkWidget* box = widget(control);
    return box && GTK_IS_ENTRY(box) ? gtk_entry_get_text(GTK_ENTRY(box)) : "";
}

void MainWindow::set_text_silently(ControlId control, const std::string& text) {
    GtkWidget* box = widget(control);
    if (!box || !GTK_IS_ENTRY(box)) {
        return;
    }
    const bool is_code_box = control == ControlId::code_box && code_box_changed_handler_ != 0;
    if (is_code_box) {
        g_signal_handler_block(box, code_box_changed_handler_);
    }
    gtk_entry_set_text(GTK_ENTRY(box), text.c_str());
    if (is_code_box) {
        g_signal_handler_unblock(box, code_box_changed_handler_);
    }
}

void MainWindow::set_status_part_text(int part, const std::string& text) {
    status_texts_.at(static_cast<std::size_t>(part)) = text;
    if (GtkWidget* bar = widget(ControlId::status_bar)) {
        gtk_widget_queue_draw(bar);
    }
}

void MainWindow::apply_stacking(std::span<const ControlId> top_to_bottom) {
    // Overlays later in the overlay's list are drawn, and receive clicks, above earlier ones.
    for (auto control = top_to_bottom.rbegin(); control != top_to_bottom.rend(); ++control) {
        if (GtkWidget* frame = frames_[slot(*control)]) {
            gtk_overlay_reorder_overlay(GTK_OVERLAY(overlay_), frame, -1);
        }
    }
}

void MainWindow::set_focus(ControlId control) {
    GtkWidget* target = widget(control);
    if (!target) {
        return;
    }
    if (GTK_IS_ENTRY(target)) {
        // As an edit box gets the focus: the caret where it was, nothing selected.
        gtk_entry_grab_focus_without_selecting(GTK_ENTRY(target));
    } else {
        gtk_widget_grab_focus(target);
    }
}

std::optional<ControlId> MainWindow::focused_control() const {
    GtkWidget* focus = window_ ? gtk_window_get_focus(GTK_WINDOW(window_)) : nullptr;
    if (!focus) {
        return std::nullopt;
    }
    for (ControlId control : {ControlId::hint_box, ControlId::code_box}) {
        GtkWidget* box = widget(control);
        if (focus == box || gtk_widget_get_parent(focus) == box) {
            return control;
        }
    }
    // The web view itself holds the focus while the page has it: that is deeper inside the
    // browser box than any control, so it matches none.
    return std::nullopt;
}

void MainWindow::focus_default_if_unset() {
    if (window_ && !gtk_window_get_focus(GTK_WINDOW(window_))) {
        set_focus(
            guarded(ControlId::code_box, [&] { return events_->on_window_focused(std::nullopt); }));
    }
}

gboolean MainWindow::on_overlay_get_child_position(GtkOverlay*, GtkWidget* child,
                                                   GdkRectangle* allocation, MainWindow* self) {
    for (std::size_t i = 0; i < self->frames_.size(); ++i) {
        if (self->frames_[i] == child) {
            const Rect& place = self->places_[i];
            *allocation = {place.left, place.top, place.width, place.height};
            return TRUE;
        }
    }
    return FALSE;
}

gboolean MainWindow::on_window_configure_event(GtkWidget*, GdkEventConfigure* event,
                                               MainWindow* self) {
    const Size size{event->width, event->height};
    if (size != self->last_notified_size_) {
        self->last_notified_size_ = size;
        guarded([&] { self->events_->on_size_changed(); });
    }
    return FALSE;
}

gboolean MainWindow::on_window_map_event(GtkWidget* window, GdkEvent*, MainWindow* self) {
    if (self->frame_adjusted_) {
        return FALSE;
    }
    self->frame_adjusted_ = true;
    GdkRectangle frame{};
    gdk_window_get_frame_extents(gtk_widget_get_window(window), &frame);
    int width = 0;
    int height = 0;
    gtk_window_get_size(GTK_WINDOW(window), &width, &height);
    self->frame_ = {frame.width - width, frame.height - height};
    if (self->frame_.width > 0 || self->frame_.height > 0) {
        gtk_window_resize(GTK_WINDOW(window),
                          std::max(1, self->intended_outer_.width - self->frame_.width),
                          std::max(1, self->intended_outer_.height - self->frame_.height));
    }
    return FALSE;
}

gboolean MainWindow::on_window_key_press_event(GtkWidget*, GdkEventKey* event, MainWindow* self) {
    // The web view hands back keys its page did not consume, and they pass here again; the
    // first pass has decided about them already.
    if (event->time != 0 && event->time == self->last_key_time_ &&
        event->keyval == self->last_key_value_) {
        return FALSE;
    }
    self->last_key_time_ = event->time;
    self->last_key_value_ = event->keyval;
    Modifiers modifiers;
    modifiers.ctrl = (event->state & GDK_CONTROL_MASK) != 0;
    modifiers.shift = (event->state & GDK_SHIFT_MASK) != 0 || event->keyval == GDK_KEY_ISO_Left_Tab;
    modifiers.alt = (event->state & GDK_MOD1_MASK) != 0;
    const std::optional<ControlId> focused = self->focused_control();
    return guarded(false,
                   [&] {
                       return self->events_->on_key_down(key_of(event->keyval), modifiers, focused);
                   })
               ? TRUE
               : FALSE;
}

gboolean MainWindow::on_window_focus_in_event(GtkWidget*, GdkEventFocus*, MainWindow* self) {
    // GTK keeps the focus widget across deactivation; only a window without one needs the
    // default rule.
    self->focus_default_if_unset();
    return FALSE;
}

void MainWindow::on_window_destroy(GtkWidget*, MainWindow* self) {
    self->window_ = nullptr;
    self->overlay_ = nullptr;
    self->widgets_.fill(nullptr);
    self->frames_.fill(nullptr);
    if (self->clock_timer_ != 0) {
        g_source_remove(self->clock_timer_);
        self->clock_timer_ = 0;
    }
    if (self->loop_running_) {
        gtk_main_quit();
    }
}

void MainWindow::on_code_box_changed(GtkEditable*, MainWindow* self) {
    guarded([&] { self->events_->on_code_text_changed(); });
}

gboolean MainWindow::on_hint_box_button_press_event(GtkWidget*, GdkEventButton* event,
                                                    MainWindow* self) {
    if (event->type != GDK_BUTTON_PRESS || event->button != GDK_BUTTON_PRIMARY) {
        return FALSE;
    }
    const int modifiers = ((event->state & GDK_CONTROL_MASK) ? kMouseCtrl : 0) |
                          ((event->state & GDK_SHIFT_MASK) ? kMouseShift : 0) |
                          ((event->state & GDK_MOD1_MASK) ? kMouseAlt : 0);
    const std::optional<bool> go_on = guarded(std::optional<bool>{}, [&] {
        return self->events_->on_hint_box_pressed(static_cast<int>(event->x),
                                                  static_cast<int>(event->y), modifiers);
    });
    return go_on.value_or(true) ? FALSE : TRUE;
}

void MainWindow::on_toolbar_button_clicked(GtkButton* button, MainWindow* self) {
    const int index = GPOINTER_TO_INT(g_object_get_data(G_OBJECT(button), kButtonIndexKey));
    guarded([&] { self->events_->on_toolbar_clicked(index); });
}

gboolean MainWindow::on_status_bar_draw(GtkWidget* bar, cairo_t* cr, MainWindow* self) {
    GtkStyleContext* style = gtk_widget_get_style_context(bar);
    const int width = gtk_widget_get_allocated_width(bar);
    const int height = gtk_widget_get_allocated_height(bar);
    gtk_render_background(style, cr, 0, 0, width, height);
    int left = 0;
    for (std::size_t i = 0; i < self->status_texts_.size() && left < width; ++i) {
        const int right = self->status_right_edges_[i];
        const double x = left + 0.5;
        const double y = kStatusPartGap + 0.5;
        const double part_width = right - left - kStatusPartGap - 1;
        const double part_height = height - kStatusPartGap - 1;
        // A sunken part: dark edge above and left, light edge below and right.
        cairo_set_line_width(cr, 1);
        cairo_set_source_rgb(cr, 0.5, 0.5, 0.5);
        cairo_move_to(cr, x, y + part_height);
        cairo_line_to(cr, x, y);
        cairo_line_to(cr, x + part_width, y);
        cairo_stroke(cr);
        cairo_set_source_rgb(cr, 1, 1, 1);
        cairo_move_to(cr, x + part_width, y);
        cairo_line_to(cr, x + part_width, y + part_height);
        cairo_line_to(cr, x, y + part_height);
        cairo_stroke(cr);

        PangoLayout* layout = gtk_widget_create_pango_layout(bar, self->status_texts_[i].c_str());
        int text_width = 0;
        int text_height = 0;
        pango_layout_get_pixel_size(layout, &text_width, &text_height);
        cairo_save(cr);
        cairo_rectangle(cr, x + 1, y + 1, part_width - 1, part_height - 1);
        cairo_clip(cr);
        gtk_render_layout(style, cr, left + kStatusTextPadding,
                          kStatusPartGap + (height - kStatusPartGap - text_height) / 2.0, layout);
        cairo_restore(cr);
        g_object_unref(layout);
        left = right;
    }
    return FALSE;
}

void MainWindow::on_toolbar_realize(GtkWidget* toolbar, MainWindow*) {
    GObjectPtr<GdkCursor> hand(
        gdk_cursor_new_from_name(gtk_widget_get_display(toolbar), "pointer"));
    gdk_window_set_cursor(gtk_widget_get_window(toolbar), hand.get());
}

gboolean MainWindow::on_clock_timer_tick(gpointer data) {
    auto* self = static_cast<MainWindow*>(data);
    guarded([&] { self->events_->on_clock_tick(); });
    return G_SOURCE_CONTINUE;
}

gboolean MainWindow::on_close_message(gpointer data) {
    auto* self = static_cast<MainWindow*>(data);
    if (!self->pending_close_messages_.empty()) {
        self->pending_close_messages_.erase(self->pending_close_messages_.begin());
    }
    guarded([&] { self->events_->on_close_message(); });
    return G_SOURCE_REMOVE;
}

}  // namespace zivmora::gtk
