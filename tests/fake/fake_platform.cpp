#include "fake/fake_platform.hpp"

#include <algorithm>
#include <cstring>

#include "ui/form.hpp"

namespace zivmora::testing {
namespace {

std::string name_of(ControlId control) {
    return std::string(describe(control));
}

std::string hex(unsigned value) {
    static const char digits[] = "0123456789abcdef";
    std::string text;
    do {
        text.insert(text.begin(), digits[value % 16]);
        value /= 16;
    } while (value != 0);
    return "0x" + text;
}

}  // namespace

Log entries_starting_with(const Log& log, std::initializer_list<std::string> prefixes) {
    Log kept;
    for (const std::string& entry : log) {
        if (std::any_of(prefixes.begin(), prefixes.end(),
                        [&](const std::string& prefix) { return entry.starts_with(prefix); })) {
            kept.push_back(entry);
        }
    }
    return kept;
}

bool FakeWindow::load(const Form& form, WindowEvents& events) {
    log_.push_back("load");
    if (fail_load) {
        return false;
    }
    events_ = &events;
    exists_ = true;
    outer_ = form.window.outer_size;
    for (const ControlRecord& record : form.controls) {
        places_[record.id] = record.place;
    }
    texts_[ControlId::hint_box] = std::string(form.edit_boxes.hint_text);
    texts_[ControlId::code_box] = std::string(form.edit_boxes.code_text);
    for (std::size_t i = 0; i < form.status_bar.parts.size(); ++i) {
        status_parts_[static_cast<int>(i)] = std::string(form.status_bar.parts[i].initial_text);
    }
    if (raise_events_while_loading) {
        // Creation notifications a platform sends; the core must drop them.
        events.on_size_changed();
        events.on_code_text_changed();
        events.on_clock_tick();
        events.on_toolbar_clicked(1);
    }
    return true;
}

void FakeWindow::show() {
    log_.push_back("show");
}

int FakeWindow::run_message_loop() {
    log_.push_back("message loop");
    while (exists_ && !loop_work.empty()) {
        auto work = std::move(loop_work.front());
        loop_work.pop_front();
        work();
    }
    if (exists_) {
        close();  // the user closes the window when the script has run out
    }
    return 0;
}

void FakeWindow::close() {
    log_.push_back("close");
    destroy();
}

void FakeWindow::destroy() {
    log_.push_back("destroy");
    exists_ = false;
}

void FakeWindow::post_close_message() {
    log_.push_back("post close message");
    loop_work.push_front([this] { events_->on_close_message(); });
}

Size FakeWindow::client_size() const {
    return {std::max(0, outer_.width - frame.width), std::max(0, outer_.height - frame.height)};
}

Rect FakeWindow::control_rect(ControlId control) const {
    return places_.at(control);
}

void FakeWindow::place_control(ControlId control, const Rect& place) {
    places_[control] = place;
    log_.push_back("place " + name_of(control) + " " + std::to_string(place.left) + "," +
                   std::to_string(place.top) + " " + std::to_string(place.width) + "x" +
                   std::to_string(place.height));
}

std::string FakeWindow::text(ControlId control) const {
    return texts_.at(control);
}

void FakeWindow::set_text_silently(ControlId control, const std::string& text) {
    texts_[control] = text;
    log_.push_back(name_of(control) + " := '" + text + "'");
}

void FakeWindow::set_status_part_text(int part, const std::string& text) {
    status_parts_[part] = text;
    log_.push_back("part " + std::to_string(part) + " := '" + text + "'");
}

void FakeWindow::apply_stacking(std::span<const ControlId> top_to_bottom) {
    std::string entry = "stack";
    for (ControlId control : top_to_bottom) {
        entry += (entry == "stack" ? " " : " > ") + name_of(control);
    }
    log_.push_back(entry);
}

void FakeWindow::set_focus(ControlId control) {
    focused_ = control;
    log_.push_back("focus " + name_of(control));
}

void FakeWindow::resize(Size outer) {
    outer_ = outer;
    events_->on_size_changed();
}

void FakeWindow::user_types(const std::string& text) {
    texts_[ControlId::code_box] = text;
    events_->on_code_text_changed();
}

namespace {

class FakeResponse final : public HttpResponse {
public:
    FakeResponse(const FakeAnswer& answer, std::vector<std::size_t>& read_sizes)
        : answer_(answer), read_sizes_(read_sizes) {}

    std::optional<std::string> content_length() override { return answer_.content_length; }

    ReadResult read(char* buffer, std::size_t size) override {
        read_sizes_.push_back(size);
        if (answer_.fail_after && position_ >= *answer_.fail_after) {
            return {ReadStatus::failed, 0};
        }
        std::size_t end = answer_.body.size();
        if (answer_.fail_after) {
            end = std::min(end, *answer_.fail_after);
        }
        const std::size_t count = std::min(size, end - position_);
        if (count == 0) {
            return {ReadStatus::end, 0};
        }
        std::memcpy(buffer, answer_.body.data() + position_, count);
        position_ += count;
        return {ReadStatus::data, count};
    }

private:
    const FakeAnswer& answer_;
    std::vector<std::size_t>& read_sizes_;
    std::size_t position_ = 0;
};

}  // namespace

std::unique_ptr<HttpResponse> FakeHttp::send(const HttpRequest& request) {
    log_.push_back(std::string("GET ") + (request.secure ? "https " : "http ") + request.host +
                   ":" + std::to_string(request.port) + " " + request.object);
    if (answer.connect_fails) {
        return nullptr;
    }
    return std::make_unique<FakeResponse>(answer, read_sizes);
}

void FakeShell::set_current_directory(const std::string& directory) {
    log_.push_back("current directory " + directory);
}

bool FakeShell::entry_exists(const std::string& path) const {
    return entries.count(path) > 0;
}

bool FakeShell::create_shortcut(const std::string& shortcut_path, const std::string& target) {
    log_.push_back("create shortcut " + shortcut_path + " -> " + target);
    if (!desktop_writable) {
        return false;
    }
    entries.insert(shortcut_path);
    return true;
}

ButtonCode FakeShell::message_box(const std::string& message, const std::string& title,
                                  unsigned style) {
    log_.push_back("message box [" + title + "] " + message + " style " + hex(style));
    if (while_message_box) {
        while_message_box();
    }
    return answer;
}

void FakeShell::open_address(const std::string& address) {
    log_.push_back("open " + address);
}

}  // namespace zivmora::testing
