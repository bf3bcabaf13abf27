#pragma once

#include <optional>

#include "host/backend/dialog.h"

namespace host {

// A dialog's colours. With high contrast off it looks as designed: the
// system's face and text colours, and labels with a back colour of their own
// keep it, with black text. With high contrast on every colour is the
// system's, in the pairs the theme makes legible: a label with its own
// back colour becomes window text on a window, other labels button text on
// the button face.
struct DialogPalette {
    bool highContrast = false;
    SystemColors system;

    Color face() const { return system.buttonFace; }
    Color focusCue() const { return system.highlight; }
    TextColors label(const std::optional<Color>& backColor) const;
};

}  // namespace host
