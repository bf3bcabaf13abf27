#include "host/win32/live_windows.h"

#include <algorithm>

#include "host/win32/painted_window.h"
#include "host/win32/unexpected_failure.h"

namespace host::win32 {

namespace {
constexpr UINT watchIntervalMs = 250;
}

LiveWindows& liveWindows() {
    static LiveWindows windows;
    return windows;
}

void LiveWindows::add(PaintedWindow* window) {
    windows_.push_back(window);
    if (!watchTimer_) watchTimer_ = SetTimer(nullptr, 0, watchIntervalMs, &LiveWindows::watch);
}

void LiveWindows::remove(PaintedWindow* window) {
    windows_.erase(std::remove(windows_.begin(), windows_.end(), window), windows_.end());
    if (windows_.empty() && watchTimer_) {
        KillTimer(nullptr, watchTimer_);
        watchTimer_ = 0;
    }
}

bool LiveWindows::contains(const PaintedWindow* window) const {
    return std::find(windows_.begin(), windows_.end(), window) != windows_.end();
}

void CALLBACK LiveWindows::watch(HWND, UINT, UINT_PTR, DWORD) {
    try {
        // Ending one window can end others; each is checked only while it lives.
        for (PaintedWindow* window : liveWindows().snapshot()) {
            if (liveWindows().contains(window)) window->followParent();
        }
    } catch (const std::exception& failure) {
        reportUnexpectedFailure(failure);
    }
}

}  // namespace host::win32
