#include "host/win32/modal_owner.h"

#include <algorithm>
#include <vector>

#include "host/backend/runtime_calls.h"
#include "host/win32/backend_state.h"

namespace host::win32 {

namespace {

std::vector<ModalOwner*>& taken() { return backend::backendState().modalOwners; }

}  // namespace

void ModalOwner::take(HWND window, HWND owner) {
    giveBack();
    SetWindowLongPtrW(window, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(owner));
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
