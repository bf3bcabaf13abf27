#pragma once

#include <windows.h>

#include "bench/win32/cover_colour.h"

// What the benchmarks' own full-screen programs share with each other: a
// topmost popup over the primary monitor in the cover's colour, painted by
// the system from its class brush, that a click or WM_CLOSE ends.

// The window procedure's answer to what every such popup handles alike.
inline LRESULT endOnClick(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_LBUTTONUP:
        DestroyWindow(window);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

// Registers the class, then shows the popup in front.
inline HWND showFullScreenPopup(HINSTANCE instance, WNDPROC procedure, const wchar_t* className,
                                const wchar_t* title) {
    WNDCLASSEXW description{};
    description.cbSize = sizeof(description);
    description.lpfnWndProc = procedure;
    description.hInstance = instance;
    description.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    description.hbrBackground = CreateSolidBrush(coverColour);
    description.lpszClassName = className;
    RegisterClassExW(&description);

    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    GetMonitorInfoW(MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY), &monitor);
    const RECT& area = monitor.rcMonitor;
    HWND window = CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, className, title,
                                  WS_POPUP | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, area.left, area.top,
                                  area.right - area.left, area.bottom - area.top, nullptr, nullptr, instance, nullptr);
    ShowWindow(window, SW_SHOW);
    SetForegroundWindow(window);
    return window;
}

// Until the popup is gone.
inline int runMessages() {
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}
