#pragma once

#include <variant>
#include <vector>

#include "host/control_array.h"
#include "host/controls.h"

namespace host {

// The lightweight controls a renderer paints over a form's persistent
// picture, bottom first.
using PaintedControl = std::variant<Line*, ControlArray<Shape>*>;
using PaintedControls = std::vector<PaintedControl>;

}  // namespace host
