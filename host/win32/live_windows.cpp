#include "host/win32/live_windows.h"

#include <algorithm>

#include "host/win32/cover_window.h"
#include "host/win32/unexpected_failure.h"

namespace host::win32 {

namespace {
constexpr UINT watchIntervalMs = 250;
}

LiveWindows& liveWindows() {
    static LiveWindows windows;
    return windows;
}

void LiveWindows::add(CoverWindow* window) {
    windows_.push_back(window);
    if (!watchTimer_) watchTimer_ = SetTimer(nullptr, 0, watchIntervalMs, &LiveWindows::watch);
}

void LiveWindows::remove(CoverWindow* window) {
    windows_.erase(std::remove(windows_.begin(), windows_.end(), window), windows_.end());
    if (windows_.empty() && watchTimer_) {
        KillTimer(nullptr, watchTimer_);
        watchTimer_ = 0;
    }
}

bool LiveWindows::contains(const CoverWindow* window) const {
    return std::find(windows_.begin(), windows_.end(), window) != windows_.end();
}

CoverWindow* LiveWindows::windowOf(const Form& form) const {
    for (CoverWindow* window : windows_) {
        if (&window->form() == &form) return window;
    }
    return nullptr;
}

void CALLBACK LiveWindows::watch(HWND, UINT, UINT_PTR, DWORD) {
    try {
        // Ending one window can end others; each is checked only while it lives.
        for (CoverWindow* window : liveWindows().snapshot()) {
            if (liveWindows().contains(window)) window->endIfOrphaned();
        }
    } catch (const std::exception& failure) {
        reportUnexpectedFailure(failure);
    }
}

}  // namespace host::win32
