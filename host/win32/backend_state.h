#pragma once

// What the Win32 backend keeps for one run of the program; the runtime owns
// it. The window classes and the instance mutex are not in it: both belong
// to the process, and a fresh run in the same process must find them as the
// first run left them.

#include <windows.h>

#include <vector>

#include "host/backend/program.h"
#include "host/win32/gdi_drawing.h"
#include "host/win32/live_windows.h"

namespace host::win32 {

class ModalOwner;

// Text is measured and drawn through GDI, in fonts made once per size.
struct TextEngine {
    TextEngine() = default;
    ~TextEngine() { DeleteDC(measuring); }
    TextEngine(const TextEngine&) = delete;
    TextEngine& operator=(const TextEngine&) = delete;

    FontCache fonts;
    HDC measuring = CreateCompatibleDC(nullptr);
};

}  // namespace host::win32

namespace host::backend {

struct BackendState {
    BackendState() = default;
    // A run that ends leaves no window of another program waiting for one
    // of its own.
    ~BackendState();
    BackendState(const BackendState&) = delete;
    BackendState& operator=(const BackendState&) = delete;

    win32::LiveWindows liveWindows;
    // Owners waiting, disabled, on one of the program's windows.
    std::vector<win32::ModalOwner*> modalOwners;
    win32::TextEngine text;
};

}  // namespace host::backend
