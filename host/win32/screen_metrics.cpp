#include "host/win32/screen_metrics.h"

namespace host::win32 {

namespace {

using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);

// Looked up at run time: older systems lack it and fall back to the screen.
GetDpiForWindowFunction getDpiForWindow() {
    static const auto function = reinterpret_cast<GetDpiForWindowFunction>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
    return function;
}

}  // namespace

int screenDpi() {
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
    ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : USER_DEFAULT_SCREEN_DPI;
}

int windowDpi(HWND window) {
    if (const auto function = getDpiForWindow()) {
        if (const UINT dpi = function(window)) return int(dpi);
    }
    return screenDpi();
}

RECT primaryMonitorRect() {
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    GetMonitorInfoW(MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY), &info);
    return info.rcMonitor;
}

}  // namespace host::win32
