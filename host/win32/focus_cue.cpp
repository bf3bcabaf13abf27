#include "host/win32/focus_cue.h"

#include "host/win32/screen_metrics.h"
#include "host/win32/system_functions.h"

namespace host::win32 {

namespace {

constexpr UINT_PTR cueId = 1;

void drawCue(HWND control, Color color) {
    RECT frame{};
    GetClientRect(control, &frame);
    const int width = MulDiv(2, windowDpi(control), 96);
    HDC dc = GetDC(control);
    HBRUSH brush = CreateSolidBrush(COLORREF(color.bgr));
    // The scroll bar's caret blinks by inverting pixels: hidden meanwhile,
    // it cannot invert the frame's.
    HideCaret(control);
    for (int ring = 0; ring < width; ++ring) {
        FrameRect(dc, &frame, brush);
        InflateRect(&frame, -1, -1);
    }
    ShowCaret(control);
    DeleteObject(brush);
    ReleaseDC(control, dc);
}

LRESULT CALLBACK cueProcedure(HWND control, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                              DWORD_PTR colorData) {
    const LRESULT result = system_functions::defSubclassProc()(control, message, wParam, lParam);
    switch (message) {
        case WM_PAINT:
        case WM_SETFOCUS:
        case WM_LBUTTONUP:
        case WM_TIMER:
            if (GetFocus() == control) drawCue(control, *reinterpret_cast<const Color*>(colorData));
            break;
        case WM_KILLFOCUS: InvalidateRect(control, nullptr, TRUE); break;
        case WM_NCDESTROY: system_functions::removeWindowSubclass()(control, cueProcedure, cueId); break;
        default: break;
    }
    return result;
}

}  // namespace

// The subclass procedure needs all three, from the common controls, which
// only the dialog loads.
void addFocusCue(HWND control, const Color* color) {
    using namespace system_functions;
    if (setWindowSubclass() && defSubclassProc() && removeWindowSubclass())
        setWindowSubclass()(control, cueProcedure, cueId, DWORD_PTR(color));
}

void refreshFocusCue(HWND control, Color color) {
    if (GetFocus() == control) drawCue(control, color);
}

}  // namespace host::win32
