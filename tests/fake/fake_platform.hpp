#pragma once

// A recording platform for scenario tests of the core: every operation the core calls is
// written, in order, to one log, and the tests drive events the way a back-end would.

#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/linux/iconv_converter.hpp"
#include "ports/platform.hpp"
#include "ports/window_events.hpp"

namespace zivmora::testing {

using Log = std::vector<std::string>;

// Only the log entries that start with one of the prefixes.
Log entries_starting_with(const Log& log, std::initializer_list<std::string> prefixes);

class FakeWindow final : public WindowPort {
public:
    explicit FakeWindow(Log& log) : log_(log) {}

    bool load(const Form& form, WindowEvents& events) override;
    bool exists() const override { return exists_; }
    void show() override;
    int run_message_loop() override;
    void close() override;
    void destroy() override;
    void post_close_message() override;
    Size outer_size() const override { return outer_; }
    Size client_size() const override;
    Rect control_rect(ControlId control) const override;
    void place_control(ControlId control, const Rect& place) override;
    std::string text(ControlId control) const override;
    void set_text_silently(ControlId control, const std::string& text) override;
    void set_status_part_text(int part, const std::string& text) override;
    void apply_stacking(std::span<const ControlId> top_to_bottom) override;
    void set_focus(ControlId control) override;

    // Test controls.
    bool fail_load = false;
    // Raised from inside load(), as a platform does while it builds controls.
    bool raise_events_while_loading = false;
    // Frame thickness around the client area: left + right, top (caption) + bottom.
    Size frame{8, 31};
    // Work the message loop does, in order, after any posted messages ahead of it.
    std::deque<std::function<void()>> loop_work;

    void set_outer_size(Size outer) { outer_ = outer; }
    void resize(Size outer);                   // the user resizes; raises the size change
    void user_types(const std::string& text);  // the user edits the code box
    std::optional<ControlId> focused() const { return focused_; }
    const std::string& status_part(int part) const { return status_parts_.at(part); }
    WindowEvents& events() { return *events_; }

private:
    Log& log_;
    WindowEvents* events_ = nullptr;
    bool exists_ = false;
    Size outer_{0, 0};
    std::map<ControlId, Rect> places_;
    std::map<ControlId, std::string> texts_;
    std::map<int, std::string> status_parts_;
    std::optional<ControlId> focused_;
};

class FakeBrowser final : public BrowserPort {
public:
    explicit FakeBrowser(Log& log) : log_(log) {}
    void navigate(const std::string& address) override { log_.push_back("navigate " + address); }

private:
    Log& log_;
};

// A scripted HTTP answer.
struct FakeAnswer {
    std::string body;
    std::optional<std::string> content_length;
    bool connect_fails = false;
    std::optional<std::size_t> fail_after;  // a read fails once this many bytes were read
};

class FakeHttp final : public HttpClient {
public:
    explicit FakeHttp(Log& log) : log_(log) {}
    std::unique_ptr<HttpResponse> send(const HttpRequest& request) override;

    FakeAnswer answer;
    std::vector<std::size_t> read_sizes;  // sizes the core asked for, read by read

private:
    Log& log_;
};

class FakeShell final : public ShellPort {
public:
    explicit FakeShell(Log& log) : log_(log) {}

    std::string program_path() const override { return program_path_value; }
    char path_separator() const override { return '/'; }
    void set_current_directory(const std::string& directory) override;
    std::string desktop_folder() const override { return desktop; }
    std::string shortcut_extension() const override { return ".desktop"; }
    bool entry_exists(const std::string& path) const override;
    bool create_shortcut(const std::string& shortcut_path, const std::string& target) override;
    ButtonCode message_box(const std::string& message, const std::string& title,
                           unsigned style) override;
    void open_address(const std::string& address) override;

    std::string program_path_value = "/opt/zivmora/bin/zivmora";
    std::string desktop = "/home/user/Desktop";
    std::set<std::string> entries;
    bool desktop_writable = true;
    ButtonCode answer = ButtonCode::cancel;
    std::function<void()> while_message_box;  // runs while the box is open (its modal loop)

private:
    Log& log_;
};

class FakeClock final : public ClockPort {
public:
    LocalDateTime local_now() const override { return now; }
    std::uint32_t tick_count() const override { return ticks; }

    LocalDateTime now{2013, 2, 18, 3, 33, 53};
    std::uint32_t ticks = 12345;
};

// Everything together, with the real iconv converter.
struct FakePlatform {
    Log log;
    FakeWindow window{log};
    FakeBrowser browser{log};
    FakeHttp http{log};
    linux_platform::IconvConverter converter;
    FakeShell shell{log};
    FakeClock clock;

    Platform ports() { return {window, browser, http, converter, shell, clock}; }
};

}  // namespace zivmora::testing
