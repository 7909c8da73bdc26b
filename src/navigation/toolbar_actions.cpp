#include "navigation/toolbar_actions.hpp"

namespace zivmora {

std::optional<ToolbarAction> toolbar_action(int index) {
    switch (index) {
        case 1:
            return ToolbarAction{0, "你按了刷新", WriteOrder::code_box_first};
        case 2:
            return ToolbarAction{1, "你按了上一视频 ", WriteOrder::action_text_first};
        case 3:
            return ToolbarAction{2, "你按了下一视频 ", WriteOrder::action_text_first};
        default:
            return std::nullopt;
    }
}

}  // namespace zivmora
