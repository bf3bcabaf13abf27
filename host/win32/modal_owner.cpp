#include "host/win32/modal_owner.h"

#include <algorithm>
#include <vector>

#include "host/monitors.h"
#include "host/backend/window.h"
#include "host/win32/screen_metrics.h"

namespace host::win32 {

namespace {

std::vector<ModalOwner*>& taken() {
    static std::vector<ModalOwner*> owners;
    return owners;
}

PixelSize sizeOf(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    return {rect.right - rect.left, rect.bottom - rect.top};
}

void centreOver(HWND window, HWND owner) {
    RECT ownerRect{};
    GetWindowRect(owner, &ownerRect);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    GetMonitorInfoW(MonitorFromWindow(owner, MONITOR_DEFAULTTONEAREST), &monitor);
    const PixelSize size = sizeOf(window);
    const PixelRect placed = centredOver(toPixelRect(ownerRect), size.width, size.height, toPixelRect(monitor.rcWork));
    SetWindowPos(window, nullptr, placed.left, placed.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

void ModalOwner::take(HWND window, HWND owner) {
    giveBack();
    SetWindowLongPtrW(window, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(owner));
    const PixelSize before = sizeOf(window);
    centreOver(window, owner);
    // Moved onto a monitor of another DPI, the window takes that DPI's size:
    // centred once more at that size.
    const PixelSize after = sizeOf(window);
    if (after.width != before.width || after.height != before.height) centreOver(window, owner);
    EnableWindow(owner, FALSE);
    owner_ = owner;
    taken().push_back(this);
}

void ModalOwner::giveBack() {
    if (!owner_) return;
    // Before the window goes, so the system hands the activation to the
    // owner rather than to some other program's window.
    EnableWindow(owner_, TRUE);
    SetForegroundWindow(owner_);
    owner_ = nullptr;
    taken().erase(std::remove(taken().begin(), taken().end(), this), taken().end());
}

void ModalOwner::giveBackAll() {
    while (!taken().empty()) taken().back()->giveBack();
}

}  // namespace host::win32
