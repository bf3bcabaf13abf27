#include "host/win32/plain_covers.h"

#include "host/backend/runtime_calls.h"
#include "host/backend/window.h"
#include "host/backend/window_styles.h"
#include "host/win32/input_reports.h"
#include "host/win32/wide_text.h"
#include "host/win32/window_class.h"

namespace host::win32 {

namespace {

// No cursor of its own: the screen saver hides the cursor while it runs.
const wchar_t* windowClass(WNDPROC procedure) {
    static const std::wstring className = widen(backend::plainCoverWindowClass);
    static const wchar_t* const name = registerPaintedWindowClass(className.c_str(), 0, procedure, nullptr, nullptr);
    return name;
}

}  // namespace

PlainCovers::PlainCovers(Color background, backend::WindowEvents& events)
    : brush_(CreateSolidBrush(COLORREF(background.bgr))), events_(events) {}

PlainCovers::~PlainCovers() {
    for (HWND window : windows_) {
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        DestroyWindow(window);
    }
    DeleteObject(brush_);
}

void PlainCovers::follow(const std::vector<PixelRect>& rects) {
    while (windows_.size() > rects.size()) {
        SetWindowLongPtrW(windows_.back(), GWLP_USERDATA, 0);
        DestroyWindow(windows_.back());
        windows_.pop_back();
    }
    for (std::size_t i = 0; i < rects.size(); ++i) {
        const PixelRect& rect = rects[i];
        if (i == windows_.size()) {
            windows_.push_back(create(rect));
        } else {
            SetWindowPos(windows_[i], HWND_TOPMOST, rect.left, rect.top, rect.right - rect.left,
                         rect.bottom - rect.top, SWP_NOACTIVATE);
            InvalidateRect(windows_[i], nullptr, TRUE);
        }
    }
}

HWND PlainCovers::create(const PixelRect& rect) {
    HWND window = CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, windowClass(&PlainCovers::windowProcedure), L"",
                                  backend::paintedWindowStyle, rect.left, rect.top,
                                  rect.right - rect.left, rect.bottom - rect.top, nullptr, nullptr,
                                  GetModuleHandleW(nullptr), nullptr);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    ShowWindow(window, SW_SHOWNOACTIVATE);
    return window;
}

LRESULT CALLBACK PlainCovers::windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* covers = reinterpret_cast<PlainCovers*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!covers) return DefWindowProcW(window, message, wParam, lParam);
    // Nothing may unwind through the system's code that called us.
    try {
        return covers->onMessage(window, message, wParam, lParam);
    } catch (const std::exception& failure) {
        reportUnexpectedFailure(failure);
    }
}

LRESULT PlainCovers::onMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    // May end the program, and with it these windows.
    if (const std::optional<LRESULT> result = reportInput(window, message, wParam, lParam, events_)) return *result;
    switch (message) {
    case WM_ERASEBKGND: {
        RECT client{};
        GetClientRect(window, &client);
        FillRect(HDC(wParam), &client, brush_);
        return 1;
    }
    case WM_PRINTCLIENT:
        return onMessage(window, WM_ERASEBKGND, wParam, lParam);
    case WM_DPICHANGED:
        // The cover keeps exactly its monitor's rectangle, not the one the
        // system suggests for the new DPI.
        return 0;
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

}  // namespace host::win32
