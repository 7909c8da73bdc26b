#pragma once

#include <optional>
#include <string_view>

namespace zivmora {

// What a toolbar button does when clicked. Every click draws one code from each range, in
// this order; the action then uses its own one.
struct CodeRange {
    int low;
    int high;
};
inline constexpr CodeRange kRefreshRange{1, 1000};
inline constexpr CodeRange kPreviousRange{500, 1000};
inline constexpr CodeRange kNextRange{100, 1000};

enum class WriteOrder { code_box_first, action_text_first };

struct ToolbarAction {
    int range_slot;  // 0, 1 or 2: which of the three draws is used
    std::string_view action_text;
    WriteOrder order;
};

// Nothing for the buttons that only seed (index 0, the blank index 4, or any other).
std::optional<ToolbarAction> toolbar_action(int index);

}  // namespace zivmora
