// The backend contract, in memory: windows in the machine's table, the
// program's outcome recorded instead of the process ending.
#include <algorithm>

#include "host/backend/program.h"
#include "host/backend/runtime_calls.h"
#include "host/backend/window.h"
#include "host/backend/window_styles.h"
#include "host/headless/headless_state.h"
#include "host/headless/headless_window.h"

namespace host::headless {

Machine& machine() { return backend::backendState().machine; }

Handle newHandle() {
    const Handle handle = machine().nextHandle;
    machine().nextHandle += 0x10;
    return handle;
}

bool makeModal(Handle window, Handle owner) {
    const auto found = machine().windows.find(owner);
    if (found == machine().windows.end()) return false;
    machine().windows.at(window).owner = owner;
    found->second.enabled = false;
    found->second.active = false;
    return true;
}

void giveBackOwner(Handle owner) {
    const auto found = machine().windows.find(owner);
    if (found == machine().windows.end()) return;
    found->second.enabled = true;
    found->second.active = true;
}

HeadlessWindow* programWindow(Handle window) {
    const std::vector<HeadlessWindow*>& windows = machine().programWindows;
    const auto found = std::find_if(windows.begin(), windows.end(),
                                    [window](const HeadlessWindow* ours) { return ours->handle() == window; });
    return found == windows.end() ? nullptr : *found;
}

}  // namespace host::headless

namespace host::backend {

using headless::machine;

std::unique_ptr<PaintedWindow> createPaintedWindow(const PaintedWindowDesign& design, WindowEvents& events) {
    headless::WindowState state;
    state.title = design.caption;
    state.className = paintedWindowClass;
    state.style = std::int32_t(paintedWindowStyle);
    state.topmost = design.topmost;
    state.x = design.rect.left;
    state.y = design.rect.top;
    state.width = design.rect.right - design.rect.left;
    state.height = design.rect.bottom - design.rect.top;
    return std::make_unique<headless::HeadlessWindow>(std::move(state), events);
}

std::vector<Monitor> monitors() { return machine().monitors; }

std::optional<PixelRect> windowRect(std::intptr_t window) {
    const auto found = machine().windows.find(window);
    if (found == machine().windows.end()) return std::nullopt;
    const headless::WindowState& state = found->second;
    return PixelRect{state.x, state.y, state.x + state.width, state.y + state.height};
}

int runProgram(const std::function<bool()>& startUp) {
    headless::asEvent(startUp);
    return machine().outcome.exitCode;
}

void lastFormUnloaded() {
    machine().outcome.ended = true;
    machine().outcome.exitCode = 0;
}

void endProgram(int exitCode) {
    machine().outcome.ended = true;
    machine().outcome.exitCode = exitCode;
    throw headless::ProgramEnded{exitCode};
}

void reportUnhandledError(const RuntimeError& error) {
    machine().outcome.errorBox = errorBoxText(error);
    endProgram(int(error.number()));
}

// Handles go on counting, so that none a test kept from before names a new
// window.
BackendStateOwner makeBackendState(const BackendState* previous) {
    BackendStateOwner state(new BackendState{});
    if (previous) state->machine.nextHandle = previous->machine.nextHandle;
    return state;
}

void BackendStateDeleter::operator()(BackendState* state) const { delete state; }

bool previousInstanceRunning() { return machine().previousInstance; }
void beginInstanceTurn() { machine().instanceTurnHeld = true; }
void endInstanceTurn() { machine().instanceTurnHeld = false; }
std::string commandLineArguments() { return machine().commandLine; }
float secondsSinceMidnight() { return machine().timeOfDay; }

}  // namespace host::backend
