// Keys and the mouse end the clock only when the user chose so: by design a
// click alone ends it, so a bump of the desk does not wake the screen.
#include <cstdlib>

#include "display/frm_cover.h"

namespace display {

namespace {

// A hand resting on the mouse moves it this far without meaning to.
constexpr int jitterPixels = 4;

}  // namespace

void FrmCover::Form_KeyDown() {
    if (AnyInputEnds) dismiss();
}

void FrmCover::Form_MouseDown() {
    if (AnyInputEnds) dismiss();
}

// The system reports the pointer also when a window appears under it
// without a move; only a move away from where it rested counts.
void FrmCover::Form_MouseMove(int x, int y) {
    const bool deliberate =
        std::abs(x - pointerAtStart_.x) > jitterPixels || std::abs(y - pointerAtStart_.y) > jitterPixels;
    if (AnyInputEnds && deliberate) dismiss();
}

}  // namespace display
