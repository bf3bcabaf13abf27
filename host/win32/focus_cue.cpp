#include "host/win32/focus_cue.h"

#include <commctrl.h>

#include "host/win32/screen_metrics.h"
#include "host/win32/system_function.h"

namespace host::win32 {

namespace {

constexpr UINT_PTR cueId = 1;

// From the common controls, which only the dialog loads.
struct Subclassing {
    decltype(&SetWindowSubclass) set = systemFunction<decltype(&SetWindowSubclass)>(L"comctl32.dll", "SetWindowSubclass");
    decltype(&DefSubclassProc) next = systemFunction<decltype(&DefSubclassProc)>(L"comctl32.dll", "DefSubclassProc");
    decltype(&RemoveWindowSubclass) remove =
        systemFunction<decltype(&RemoveWindowSubclass)>(L"comctl32.dll", "RemoveWindowSubclass");
};

const Subclassing& subclassing() {
    static const Subclassing functions;
    return functions;
}

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
    const LRESULT result = subclassing().next(control, message, wParam, lParam);
    switch (message) {
        case WM_PAINT:
        case WM_SETFOCUS:
        case WM_LBUTTONUP:
        case WM_TIMER:
            if (GetFocus() == control) drawCue(control, *reinterpret_cast<const Color*>(colorData));
            break;
        case WM_KILLFOCUS: InvalidateRect(control, nullptr, TRUE); break;
        case WM_NCDESTROY: subclassing().remove(control, cueProcedure, cueId); break;
        default: break;
    }
    return result;
}

}  // namespace

void addFocusCue(HWND control, const Color* color) {
    if (subclassing().set && subclassing().next && subclassing().remove)
        subclassing().set(control, cueProcedure, cueId, DWORD_PTR(color));
}

void refreshFocusCue(HWND control, Color color) {
    if (GetFocus() == control) drawCue(control, color);
}

}  // namespace host::win32
