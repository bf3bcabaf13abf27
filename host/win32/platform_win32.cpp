#include <windows.h>

#include "host/backend/program.h"
#include "host/backend/window.h"
#include "host/win32/backend_state.h"
#include "host/win32/modal_owner.h"
#include "host/win32/painted_window.h"
#include "host/win32/screen_metrics.h"
#include "host/win32/wide_text.h"

namespace host::backend {

std::unique_ptr<PaintedWindow> createPaintedWindow(const PaintedWindowDesign& design, WindowEvents& events) {
    return std::make_unique<win32::PaintedWindow>(design, events);
}

std::vector<Monitor> monitors() { return win32::desktopMonitors(); }

std::optional<PixelRect> windowRect(std::intptr_t window) {
    RECT rect{};
    if (!GetWindowRect(reinterpret_cast<HWND>(window), &rect)) return std::nullopt;
    return win32::toPixelRect(rect);
}

void lastFormUnloaded() { PostQuitMessage(0); }

void endProgram(int exitCode) {
    win32::ModalOwner::giveBackAll();
    ExitProcess(UINT(exitCode));
}

void reportUnhandledError(const RuntimeError& error) {
    // A window that waits for a dialog of ours must not wait for a program
    // that is ending.
    win32::ModalOwner::giveBackAll();
    MessageBoxW(nullptr, win32::widen(errorBoxText(error)).c_str(), L"Zantrelle",
                MB_ICONERROR | MB_OK | MB_TASKMODAL | MB_SETFOREGROUND);
    ExitProcess(UINT(error.number()));
}

float secondsSinceMidnight() {
    SYSTEMTIME now;
    GetLocalTime(&now);
    const double seconds = now.wHour * 3600.0 + now.wMinute * 60.0 + now.wSecond + now.wMilliseconds / 1000.0;
    return float(seconds);
}

BackendStateOwner makeBackendState(const BackendState*) { return BackendStateOwner(new BackendState); }

void BackendStateDeleter::operator()(BackendState* state) const { delete state; }

// A test that runs the program again in the same process starts with no
// window of another waiting for one of the last run's. By the time a run's
// state goes, the runtime already holds the next one's.
BackendState::~BackendState() {
    for (win32::ModalOwner* owner : std::vector<win32::ModalOwner*>(modalOwners)) owner->giveBack();
}

}  // namespace host::backend
