#pragma once

#include "ports/control_id.hpp"
#include "ports/geometry.hpp"

namespace zivmora {

class WindowPort;

// Written widths and heights are limited to this range (32627, not 32767).
inline constexpr int kLargestWrittenSize = 32627;

int clamp_written_size(double value);

// Sets one dimension of a control, keeping its place and its other dimension.
void write_control_width(WindowPort& window, ControlId control, double width);
void write_control_height(WindowPort& window, ControlId control, double height);

// Lays the bottom-aligned status bar along the client area's bottom at its full width.
// The toolbar is neither top- nor bottom-aligned and keeps its place.
void dock_bars(WindowPort& window);

// The handler of the window's size change: browser box, toolbar and status bar follow the
// window's outer size; nothing moves.
void apply_resize_rule(WindowPort& window);

}  // namespace zivmora
