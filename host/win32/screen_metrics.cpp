#include "host/win32/screen_metrics.h"

#include "host/win32/system_function.h"

namespace host::win32 {

namespace {

using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);

// Looked up at run time: older systems lack it and fall back to the screen.
GetDpiForWindowFunction getDpiForWindow() {
    static const auto function = reinterpret_cast<GetDpiForWindowFunction>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
    return function;
}

// Also looked up at run time, from the library that has it on Windows 8.1
// and later.
using GetDpiForMonitorFunction = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);

GetDpiForMonitorFunction getDpiForMonitor() {
    static const auto function = systemFunction<GetDpiForMonitorFunction>(L"shcore.dll", "GetDpiForMonitor");
    return function;
}

int monitorDpi(HMONITOR monitor) {
    constexpr int effectiveDpi = 0;
    UINT dpiX = 0;
    UINT dpiY = 0;
    if (const auto function = getDpiForMonitor()) {
        if (SUCCEEDED(function(monitor, effectiveDpi, &dpiX, &dpiY)) && dpiX > 0) return int(dpiX);
    }
    return screenDpi();
}

BOOL CALLBACK addMonitor(HMONITOR handle, HDC, LPRECT, LPARAM list) {
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    if (GetMonitorInfoW(handle, &info)) {
        reinterpret_cast<std::vector<Monitor>*>(list)->push_back(
            {toPixelRect(info.rcMonitor), toPixelRect(info.rcWork), monitorDpi(handle),
             (info.dwFlags & MONITORINFOF_PRIMARY) != 0});
    }
    return TRUE;
}

}  // namespace

PixelRect toPixelRect(const RECT& rect) { return {rect.left, rect.top, rect.right, rect.bottom}; }

std::vector<Monitor> desktopMonitors() {
    std::vector<Monitor> monitors;
    EnumDisplayMonitors(nullptr, nullptr, &addMonitor, reinterpret_cast<LPARAM>(&monitors));
    return monitors;
}

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

}  // namespace host::win32
