#pragma once

#include <string>

#include "navigation/random_codes.hpp"

namespace zivmora {

class BrowserBox;
class ClockPort;
class WindowPort;

// The play address and the code box: every change of the box's text loads the base play
// address followed by the whole text, unchanged.
class CodeEntry {
public:
    CodeEntry(std::string base_play_address, WindowPort& window, BrowserBox& browser,
              const ClockPort& clock);

    static std::string play_address(const std::string& base, const std::string& code);

    // Loads the play address for the current code (1) once the window is created.
    void start_navigation(int current_code);
    // The code box's text changed, by the user or by write_code_box.
    void code_text_changed();
    // Replaces the box's text and raises its change exactly once, before returning, also
    // when the text is the same as before.
    void write_code_box(const std::string& text);
    void toolbar_clicked(int index);

    const RandomCodes& random_codes() const { return random_; }

private:
    void write_action_text(std::string_view text);

    std::string base_;
    WindowPort& window_;
    BrowserBox& browser_;
    const ClockPort& clock_;
    RandomCodes random_;
};

}  // namespace zivmora
