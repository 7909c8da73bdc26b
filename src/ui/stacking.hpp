#pragma once

#include <array>

#include "ports/control_id.hpp"

namespace zivmora {

struct Form;

// The stacking order of the controls, top first. It starts as the form order; the hint box's
// press is the only thing that changes it.
class StackingOrder {
public:
    explicit StackingOrder(const Form& form);

    void move_to_bottom(ControlId control);
    void move_to_top(ControlId control);

    // The order as drawn. The browser box reaches below the status bar's top edge whenever
    // the window frame is taller than a few pixels; the status bar is lifted directly above
    // the browser box so that the clock and the last action stay readable. Nothing else
    // overlaps the status bar, so no other pair changes.
    std::array<ControlId, kControlCount> drawn() const;

    const std::array<ControlId, kControlCount>& logical() const { return order_; }

private:
    std::array<ControlId, kControlCount> order_;
};

}  // namespace zivmora
