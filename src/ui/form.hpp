#pragma once

#include <array>
#include <optional>
#include <span>
#include <string_view>

#include "ports/control_id.hpp"
#include "ports/geometry.hpp"

namespace zivmora {

// The main window and its six controls as a fixed description. Both back-ends build the
// window from this data; none of them repeats a value of it.

enum class ControlKind { html_viewer, edit_box, timer, status_bar, tool_bar };
enum class MousePointer { standard, hand };

struct Rgb {
    unsigned char red = 0;
    unsigned char green = 0;
    unsigned char blue = 0;
};

struct WindowRecord {
    std::string_view title;
    Size outer_size;
    // Stored in the form but unused: the window starts centred on the screen.
    int stored_left = 0;
    int stored_top = 0;
    bool sizable = true;
    bool minimise_box = true;
    bool maximise_box = true;
    bool escape_closes = true;
    bool enter_moves_focus = false;
    bool always_on_top = false;
    bool shown_in_taskbar = true;
};

struct ControlRecord {
    ControlId id;
    std::string_view name;  // the name handlers address the control by
    ControlKind kind;
    Rect place;
    bool visible = true;
    bool disabled = false;
    bool tab_stop = false;
    int tab_order = 0;
    MousePointer pointer = MousePointer::standard;
};

struct EditBoxSettings {
    Rgb text_colour;
    Rgb background_colour;  // in the system's default GUI font
    bool sunken_border = true;
    bool auto_horizontal_scroll = true;
    bool hide_selection = true;
    std::string_view hint_text;  // the hint box's text
    std::string_view code_text;  // the code box's text
};

struct BrowserSettings {
    int text_size = 2;  // of five steps, 0 to 4
    bool offline = false;
    bool silent = true;
    std::string_view address;  // empty: nothing is loaded at creation
};

struct TimerSettings {
    int interval_ms = 1000;
    int timer_id = 1000;
};

struct StatusPart {
    int width = 0;
    std::string_view initial_text;
};

struct StatusBarSettings {
    bool bottom_aligned = true;
    bool size_grip = false;
    bool part_tips = true;  // in the system's default GUI font
    std::array<StatusPart, 3> parts;
};

struct ToolbarButton {
    int command_id = 0;
    std::string_view text;
    std::string_view tip;
    std::optional<int> image;  // index into the toolbar's image strip
};

struct ToolbarSettings {
    bool flat = true;
    bool text_right_of_image = true;
    bool wrapable = true;
    bool tool_tips = true;
    bool divider = true;
    bool drop_down_arrows = true;
    Rgb background;
    int indent = 0;
    int font_height_px = 14;  // normal weight, the face left to the system
    std::size_t tip_limit_bytes = 78;
    std::array<ToolbarButton, 5> buttons;
    // The image strip: 46 images of 16 x 16, four to a row in a 64 x 224 bitmap.
    int image_count = 46;
    int image_size = 16;
    int images_per_row = 4;
    Rgb image_background;
};

enum class FormEvent {
    created,
    size_changed,
    new_window_requested,
    left_button_pressed,
    tick,
    toolbar_clicked,
    text_changed,
};

// Which event of which control has a handler. A nullopt control means the window itself.
struct EventBinding {
    std::optional<ControlId> control;
    FormEvent event;
};

struct Form {
    WindowRecord window;
    std::array<ControlRecord, kControlCount> controls;  // in form order
    EditBoxSettings edit_boxes;
    BrowserSettings browser;
    TimerSettings timer;
    StatusBarSettings status_bar;
    ToolbarSettings toolbar;
    std::array<EventBinding, 7> bindings;

    const ControlRecord& control(ControlId id) const;
    bool has_binding(std::optional<ControlId> control, FormEvent event) const;
};

// The program's one form.
const Form& main_form();

// Right edges of the status bar's parts: the running sum of their widths.
std::array<int, 3> status_part_right_edges(const StatusBarSettings& settings);

// A tool tip as the toolbar shows it: cut to the limit without splitting a character.
std::string_view toolbar_tip_text(std::string_view tip, std::size_t limit_bytes);

// The window's start place: centred on a screen of the given size, halves truncated.
Rect centred_window_place(Size screen, Size outer_size);

}  // namespace zivmora
