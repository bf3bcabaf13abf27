#pragma once

#include <windows.h>

namespace host::win32 {

// A window shown modal to an owner that may belong to another program: the
// owner waits, disabled, while the window is open. The owner must get its
// input back whatever ends the window, the runtime's error box included, or
// the program that asked would be left unusable.
class ModalOwner {
public:
    ModalOwner() = default;
    ~ModalOwner() { giveBack(); }
    ModalOwner(const ModalOwner&) = delete;
    ModalOwner& operator=(const ModalOwner&) = delete;

    // Makes `owner` own `window` and disables the owner.
    void take(HWND window, HWND owner);
    // Enables the owner and makes it the active window again; nothing when
    // there is none.
    void giveBack();

    // Gives back every owner taken, before the process ends at once.
    static void giveBackAll();

private:
    HWND owner_ = nullptr;
};

}  // namespace host::win32
