#pragma once

#include <windows.h>

#include "host/geometry.h"

namespace host::win32 {

// A frame in the colour the pointer gives, drawn inside a control whenever
// it has the keyboard focus: a scroll bar's own cue (a blinking thumb, if
// any) is easy to miss. The colour must outlive the control.
void addFocusCue(HWND control, const Color* color);

// Draws the frame again if the control has the focus, after the control
// redrew itself outside its paint message (its thumb moved).
void refreshFocusCue(HWND control, Color color);

}  // namespace host::win32
