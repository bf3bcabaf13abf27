#include "host/win32/live_windows.h"

#include <algorithm>

#include "host/live_list.h"
#include "host/backend/runtime_calls.h"
#include "host/win32/backend_state.h"
#include "host/win32/painted_window.h"

namespace host::win32 {

namespace {
constexpr UINT watchIntervalMs = 250;
}

LiveWindows& liveWindows() { return backend::backendState().liveWindows; }

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

void CALLBACK LiveWindows::watch(HWND, UINT, UINT_PTR, DWORD) {
    try {
        // Ending one window can end others.
        forEachStillListed(liveWindows().windows(), [](PaintedWindow& window) { window.followParent(); });
    } catch (const std::exception& failure) {
        reportUnexpectedFailure(failure);
    }
}

}  // namespace host::win32
