#include "host/win32/screen_metrics.h"

#include "host/win32/system_functions.h"

namespace host::win32 {

namespace {

// Older systems fall back to the screen's DPI.
int monitorDpi(HMONITOR monitor) {
    UINT dpiX = 0;
    UINT dpiY = 0;
    if (const auto function = system_functions::getDpiForMonitor()) {
        if (SUCCEEDED(function(monitor, MDT_EFFECTIVE_DPI, &dpiX, &dpiY)) && dpiX > 0) return int(dpiX);
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
    if (const auto function = system_functions::getDpiForWindow()) {
        if (const UINT dpi = function(window)) return int(dpi);
    }
    return screenDpi();
}

}  // namespace host::win32
