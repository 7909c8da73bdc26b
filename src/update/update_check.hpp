#pragma once

#include <string>
#include <string_view>

namespace zivmora {

class EncodingConverter;
class HttpClient;
class ShellPort;
struct ProgramState;

inline constexpr std::string_view kLocalVersion = "1.40";
inline constexpr double kVersionTolerance = 0.0000001;
inline constexpr std::string_view kUpdatePromptTitle = "升级提示, Quenlo作品";
unsigned update_prompt_style();

// The version page as GB18030 text: the body cut before its first zero byte, decoded as
// UTF-8 whatever the response declares, re-encoded. Empty on every failure.
std::string retrieve_version_page(HttpClient& client, EncodingConverter& converter,
                                  const std::string& address);

// The published version: group 1 of the last marker in the page (GB18030), or empty.
std::string published_version(std::string_view page);

// True when the published version exceeds the local one by more than the tolerance.
bool is_newer(double local, double published);

// The prompt's message for a published version given as UTF-8.
std::string update_prompt_message(std::string_view published_utf8);

// A message box is always modal for the thread's windows unless it is system-modal.
unsigned effective_message_box_style(unsigned style);

enum class UpdateOutcome { no_newer_version, declined, accepted };

struct UpdateCheckPorts {
    HttpClient& http;
    EncodingConverter& converter;
    ShellPort& shell;
};

// Fetches the version page, compares, and on a newer version asks the user; OK opens the
// download page. The caller requests the close that an accepted prompt implies.
UpdateOutcome run_update_check(const UpdateCheckPorts& ports, ProgramState& state,
                               const std::string& version_page_address,
                               const std::string& download_page_address);

}  // namespace zivmora
