#include "host/win32/input_reports.h"

#include <windowsx.h>

namespace host::win32 {

std::optional<LRESULT> reportInput(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                   backend::WindowEvents& events) {
    switch (message) {
    case WM_LBUTTONUP:
        events.clicked();
        return 0;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        // The system's own keys (Alt+F4) still do what they do, for a window
        // the key did not end.
        events.keyPressed();
        return IsWindow(window) ? DefWindowProcW(window, message, wParam, lParam) : 0;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
        events.mouseButtonPressed();
        return 0;
    case WM_XBUTTONDOWN:
        events.mouseButtonPressed();
        return TRUE;
    case WM_MOUSEMOVE: {
        POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        ClientToScreen(window, &at);
        events.pointerMoved(int(at.x), int(at.y));
        return 0;
    }
    default:
        return std::nullopt;
    }
}

}  // namespace host::win32
