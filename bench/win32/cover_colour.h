#pragma once

#include <windows.h>

// The screen saver's background (the cover form's BackColor, in
// display/frm_cover.cpp), which the bare window copies and whose arrival on
// screen marks a first picture: red 0x80, green 0x80, blue 0xFF.
inline constexpr COLORREF coverColour = RGB(0x80, 0x80, 0xFF);
