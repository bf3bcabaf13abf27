#include "host/app.h"
#include "host/headless/headless.h"
#include "host/headless/headless_state.h"
#include "host/headless/headless_window.h"
#include "host/headless/png_writer.h"

namespace host::headless {

Machine& machine() {
    static Machine state;
    return state;
}

const Monitor& primaryMonitor() {
    for (const Monitor& monitor : machine().monitors) {
        if (monitor.primary) return monitor;
    }
    return machine().monitors.front();
}

namespace {

template <class Event>
void runAsEvent(Event&& event) {
    try {
        runEvent(event);
    } catch (const ProgramEnded&) {
    }
}

}  // namespace

// The window of a loaded form, found by its handle in the machine's table.
HeadlessWindow* windowOf(const Form& form) {
    if (!form.isLoaded()) return nullptr;
    return machine().formWindows.at(form.peer()->handle());
}

void windowBecameVisible(Handle window) {
    const auto found = machine().formWindows.find(window);
    if (found != machine().formWindows.end()) found->second->becameVisible();
}

// Handles go on counting, so that none a test kept from before names a new
// window.
void reset() {
    Machine& state = machine();
    const Handle nextHandle = state.nextHandle;
    state = Machine{};
    state.nextHandle = nextHandle;
}

void setScreenPixels(int width, int height) {
    Monitor primary = primaryMonitor();
    primary.bounds = primary.workArea = {0, 0, width, height};
    machine().monitors = {primary};
}

void setDpi(int dpi) {
    for (Monitor& monitor : machine().monitors) {
        if (monitor.primary) monitor.dpi = dpi;
    }
}

void setMonitors(std::vector<Monitor> monitors) { machine().monitors = std::move(monitors); }

void changeDisplays(std::vector<Monitor> monitors) {
    setMonitors(std::move(monitors));
    std::vector<HeadlessWindow*> windows;
    for (const auto& [handle, window] : machine().formWindows) windows.push_back(window);
    for (HeadlessWindow* window : windows) window->displaysChanged();
}

void setDisplayPower(DisplayPower power) { machine().displayPower = power; }
void setTimeOfDay(float seconds) { machine().timeOfDay = seconds; }
void setPreviousInstanceRunning(bool running) { machine().previousInstance = running; }
void setCommandLine(std::string arguments) { machine().commandLine = std::move(arguments); }

Handle addForeignWindow(std::string title, int clientWidth, int clientHeight) {
    const Handle handle = machine().nextHandle;
    machine().nextHandle += 0x10;
    WindowState state;
    state.title = std::move(title);
    state.width = clientWidth;
    state.height = clientHeight;
    state.visible = true;
    machine().windows[handle] = state;
    return handle;
}

void moveForeignWindow(Handle window, int x, int y) {
    machine().windows.at(window).x = x;
    machine().windows.at(window).y = y;
}

std::vector<Handle> plainCoversOf(const Form& form) {
    std::vector<Handle> covers;
    if (!form.isLoaded()) return covers;
    for (const auto& [handle, state] : machine().windows) {
        if (state.plainCoverOf == form.peer()->handle()) covers.push_back(handle);
    }
    return covers;
}

void destroyWindow(Handle window) {
    // Children go with their parent; a form whose window goes is unloaded.
    std::vector<Handle> children;
    for (const auto& [handle, state] : machine().windows)
        if (state.parent == window) children.push_back(handle);
    for (Handle child : children) destroyWindow(child);
    const auto found = machine().formWindows.find(window);
    if (found != machine().formWindows.end()) {
        Form& form = found->second->form();
        runAsEvent([&form] { form.Unload(); });
        return;
    }
    machine().windows.erase(window);
}

bool windowExists(Handle window) { return machine().windows.count(window) != 0; }
const WindowState& window(Handle window) { return machine().windows.at(window); }
const std::vector<RecordedCall>& calls() { return machine().calls; }
int cursorDisplayCount() { return machine().cursorCount; }
bool holdsInstanceTurn() { return machine().instanceTurnHeld; }
Outcome outcome() { return machine().outcome; }

Outcome runMain(const std::function<void()>& main) {
    runAsEvent(main);
    return machine().outcome;
}

void click(Form& form) {
    // A window planted in another program's window is a picture there, not
    // something to dismiss: the Win32 backend passes it no clicks either.
    if (form.isLoaded() && window(form.hWnd()).parent != 0) return;
    runAsEvent([&form] { form.Form_Click(); });
}
void clickWindow(Handle window) {
    const WindowState& state = machine().windows.at(window);
    const Handle formWindow = state.plainCoverOf != 0 ? state.plainCoverOf : window;
    click(machine().formWindows.at(formWindow)->form());
}

void activate(Form& form) {
    runAsEvent([&form] { form.Form_Activate(); });
}

void tick(Form& form) {
    // The Win32 backend stops its timers while the display is off.
    if (machine().displayPower == DisplayPower::Off) return;
    for (Timer* timer : form.timers()) {
        if (timer->Enabled && timer->onTimer) runAsEvent(timer->onTimer);
    }
}

const std::vector<DrawnLine>& drawnLines(const Form& form) {
    return windowOf(form)->lines();
}
const std::vector<DrawnText>& drawnTexts(const Form& form) {
    return windowOf(form)->texts();
}

const render::Image& renderFrame(Form& form) {
    static const render::Image noWindow;
    HeadlessWindow* window = windowOf(form);
    return window ? window->renderFrame() : noWindow;
}

void invalidateFrame(Form& form) {
    if (HeadlessWindow* window = windowOf(form)) window->invalidate();
}

const std::vector<PixelRect>& lastPresentedRects(const Form& form) {
    static const std::vector<PixelRect> noWindow;
    const HeadlessWindow* window = windowOf(form);
    return window ? window->lastPresentedRects() : noWindow;
}

bool saveFrame(const Form& form, const std::filesystem::path& path) {
    const HeadlessWindow* window = windowOf(form);
    return window && writePng(path, window->currentFrame());
}

}  // namespace host::headless

namespace host::backend {

int runProgram(const std::function<void()>& startUp) {
    headless::runAsEvent(startUp);
    return headless::machine().outcome.exitCode;
}

using headless::machine;

std::unique_ptr<WindowPeer> createWindow(Form& form) { return std::make_unique<headless::HeadlessWindow>(form); }

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

bool previousInstanceRunning() { return machine().previousInstance; }
void beginInstanceTurn() { machine().instanceTurnHeld = true; }
void endInstanceTurn() { machine().instanceTurnHeld = false; }
std::string commandLineArguments() { return machine().commandLine; }
float secondsSinceMidnight() { return machine().timeOfDay; }

}  // namespace host::backend
