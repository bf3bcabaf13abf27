// The window-manager interface the system calls, passed straight to user32.
// host/backend/user32.h comes first: <windows.h> turns its constant names into macros.
#include "host/backend/user32.h"

#include <windows.h>

namespace host::user32 {

namespace {
::HWND native(HWND window) { return reinterpret_cast<::HWND>(window); }
HWND handle(::HWND window) { return reinterpret_cast<HWND>(window); }
}  // namespace

HWND FindWindowA(const char* className, const char* windowName) {
    return handle(::FindWindowA(className, windowName));
}

bool IsWindow(HWND window) { return ::IsWindow(native(window)) != FALSE; }

HWND GetAncestor(HWND window, unsigned flags) { return handle(::GetAncestor(native(window), flags)); }

int ShowCursor(bool show) { return ::ShowCursor(show ? TRUE : FALSE); }

bool GetCursorPos(POINT& point) {
    ::POINT at{};
    if (!::GetCursorPos(&at)) return false;
    point = {at.x, at.y};
    return true;
}

bool GetClientRect(HWND window, RECT& rect) {
    ::RECT filled{};
    if (!::GetClientRect(native(window), &filled)) return false;
    rect = {filled.left, filled.top, filled.right, filled.bottom};
    return true;
}

LONG GetWindowLongA(HWND window, int index) { return ::GetWindowLongA(native(window), index); }

LONG SetWindowLongA(HWND window, int index, LONG value) { return ::SetWindowLongA(native(window), index, value); }

HWND SetParent(HWND child, HWND newParent) { return handle(::SetParent(native(child), native(newParent))); }

bool SetWindowPos(HWND window, HWND insertAfter, int x, int y, int width, int height, unsigned flags) {
    return ::SetWindowPos(native(window), native(insertAfter), x, y, width, height, flags) != FALSE;
}

}  // namespace host::user32
