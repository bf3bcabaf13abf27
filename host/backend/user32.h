#pragma once

// The window-manager calls the program makes, with their platform names and
// argument orders, which every backend provides: the Win32 backend passes
// them to user32.dll, the in-memory one keeps a window table and records
// each call. Include this before <windows.h>: its constants are macros there.

#include <cstdint>

namespace host::user32 {

using HWND = std::intptr_t;
using LONG = std::int32_t;

struct POINT {
    LONG x = 0;
    LONG y = 0;
};

struct RECT {
    LONG left = 0;
    LONG top = 0;
    LONG right = 0;
    LONG bottom = 0;
};

inline constexpr int GWL_STYLE = -16;
inline constexpr int GWL_HWNDPARENT = -8;
inline constexpr LONG WS_CHILD = 0x40000000;
inline constexpr HWND HWND_TOP = 0;
inline constexpr unsigned SWP_NOZORDER = 0x4;
inline constexpr unsigned SWP_NOACTIVATE = 0x10;
inline constexpr unsigned SWP_SHOWWINDOW = 0x40;
inline constexpr unsigned GA_ROOT = 2;

HWND FindWindowA(const char* className, const char* windowName);
bool IsWindow(HWND window);
HWND GetAncestor(HWND window, unsigned flags);
int ShowCursor(bool show);
// Where the pointer is, in virtual-screen pixels.
bool GetCursorPos(POINT& point);
bool GetClientRect(HWND window, RECT& rect);
LONG GetWindowLongA(HWND window, int index);
LONG SetWindowLongA(HWND window, int index, LONG value);
HWND SetParent(HWND child, HWND newParent);
bool SetWindowPos(HWND window, HWND insertAfter, int x, int y, int width, int height, unsigned flags);

}  // namespace host::user32
