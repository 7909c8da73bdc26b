#include "update/update_check.hpp"

#include "app/program_state.hpp"
#include "ports/shell_port.hpp"
#include "update/encoding.hpp"
#include "update/page_fetch.hpp"
#include "update/version_marker.hpp"
#include "update/version_number.hpp"

namespace zivmora {

unsigned update_prompt_style() {
    return message_box_style::kOkCancel | message_box_style::kTopmost;
}

std::string retrieve_version_page(HttpClient& client, EncodingConverter& converter,
                                  const std::string& address) {
    const std::string body_text = bytes_to_text(fetch_page(client, address));
    return bytes_to_text(convert_encoding(converter, text_to_bytes(body_text), "UTF-8", "GB18030"));
}

namespace {

bool equals_ascii_ignoring_case(std::string_view text, std::string_view lower) {
    if (text.size() != lower.size()) {
        return false;
    }
    for (std::size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
        if (c != lower[i]) {
            return false;
        }
    }
    return true;
}

// Every match of the marker ends with its closing text, so nothing after the last closing
// text can take part in one. Cutting the page there spares the search a scan of every
// opening to the end of the page when a hostile or broken page repeats openings without
// closing them; the matches found are exactly the same.
std::string_view marker_search_range(std::string_view page) {
    // "khj更改情况就知道了。</p>": letters only in its first three and last four bytes.
    constexpr std::string_view kClosing = kVersionMarker.substr(kVersionMarker.rfind("khj"));
    constexpr std::size_t kLettersBefore = 3;
    constexpr std::string_view kCore = kClosing.substr(kLettersBefore, kClosing.size() - 7);
    std::size_t at = page.size();
    while (at > 0) {
        at = page.rfind(kCore, at - 1);
        if (at == std::string_view::npos || at < kLettersBefore) {
            break;
        }
        const std::size_t start = at - kLettersBefore;
        if (equals_ascii_ignoring_case(page.substr(start, kClosing.size()), kClosing)) {
            return page.substr(0, start + kClosing.size());
        }
    }
    return {};
}

}  // namespace

std::string published_version(std::string_view page) {
    RegexObject marker;
    marker.compile(kVersionMarker, false);
    std::string version;
    const std::string_view searched = marker_search_range(page);
    for (const MatchResult& match : marker.search_all(searched)) {
        version = submatch_text(match, searched, 1);  // the last match decides, even when empty
    }
    return version;
}

bool is_newer(double local, double published) {
    return local - published < -kVersionTolerance;
}

std::string update_prompt_message(std::string_view published_utf8) {
    return "发现新版本 (" + std::string(published_utf8) +
           "版 ) 请及时更新！！！如果你现在不想更新可按取消跳过升级！";
}

unsigned effective_message_box_style(unsigned style) {
    if ((style & message_box_style::kSystemModal) == 0) {
        style |= message_box_style::kTaskModal;
    }
    return style;
}

UpdateOutcome run_update_check(const UpdateCheckPorts& ports, ProgramState& state,
                               const std::string& version_page_address,
                               const std::string& download_page_address) {
    state.version_page_address = version_page_address;
    const std::string page =
        retrieve_version_page(ports.http, ports.converter, state.version_page_address);
    const std::string published = published_version(page);
    state.local_version = std::string(kLocalVersion);
    if (!is_newer(text_to_number(state.local_version), text_to_number(published))) {
        return UpdateOutcome::no_newer_version;
    }
    const std::string published_utf8 = bytes_to_text(
        convert_encoding(ports.converter, text_to_bytes(published), "GB18030", "UTF-8"));
    const ButtonCode answer = ports.shell.message_box(
        update_prompt_message(published_utf8), std::string(kUpdatePromptTitle),
        effective_message_box_style(update_prompt_style()));
    if (answer != ButtonCode::ok) {
        return UpdateOutcome::declined;
    }
    ports.shell.open_address(download_page_address);
    return UpdateOutcome::accepted;
}

}  // namespace zivmora
