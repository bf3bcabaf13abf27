#include "host/dialog_palette.h"

namespace host {

TextColors DialogPalette::label(const std::optional<Color>& backColor) const {
    if (highContrast) {
        return backColor ? TextColors{system.window, system.windowText}
                         : TextColors{system.buttonFace, system.buttonText};
    }
    return backColor ? TextColors{*backColor, colors::black} : TextColors{system.buttonFace, system.windowText};
}

}  // namespace host
