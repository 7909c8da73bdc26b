#include "ui/stacking.hpp"

#include <algorithm>

#include "ui/form.hpp"

namespace zivmora {

StackingOrder::StackingOrder(const Form& form) {
    std::transform(form.controls.begin(), form.controls.end(), order_.begin(),
                   [](const ControlRecord& record) { return record.id; });
}

void StackingOrder::move_to_bottom(ControlId control) {
    const auto found = std::find(order_.begin(), order_.end(), control);
    std::rotate(found, found + 1, order_.end());
}

void StackingOrder::move_to_top(ControlId control) {
    const auto found = std::find(order_.begin(), order_.end(), control);
    std::rotate(order_.begin(), found, found + 1);
}

std::array<ControlId, kControlCount> StackingOrder::drawn() const {
    std::array<ControlId, kControlCount> drawn = order_;
    const auto browser = std::find(drawn.begin(), drawn.end(), ControlId::browser_box);
    const auto status = std::find(drawn.begin(), drawn.end(), ControlId::status_bar);
    if (status > browser) {
        std::rotate(browser, status, status + 1);
    }
    return drawn;
}

}  // namespace zivmora
