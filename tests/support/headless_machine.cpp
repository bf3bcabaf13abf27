// What tests do to the in-memory machine and read back from it.
#include <set>

#include "host/app.h"
#include "host/form_window.h"
#include "host/headless/headless_dialog.h"
#include "host/headless/headless_state.h"
#include "host/headless/headless_window.h"
#include "host/headless/png_writer.h"
#include "host/live_list.h"
#include "tests/support/headless.h"

namespace host::headless {

namespace {

HeadlessWindow* windowOf(const Form& form) { return form.isLoaded() ? programWindow(form.hWnd()) : nullptr; }

// Reports to every window of the program, each only while it lives.
template <class Report>
void reportToEach(Report&& report) {
    forEachStillListed(machine().programWindows, [&](HeadlessWindow& window) { asEvent([&] { report(window); }); });
}

}  // namespace

void setScreenPixels(int width, int height) {
    Monitor primary = primaryMonitor(machine().monitors);
    primary.bounds = primary.workArea = {0, 0, width, height};
    primary.primary = true;
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
    reportToEach([](HeadlessWindow& window) { window.displaysChanged(); });
}

void setDisplayPower(DisplayPower power) {
    machine().displayPower = power;
    reportToEach([power](HeadlessWindow& window) { window.events().displayPowerChanged(power != DisplayPower::Off); });
}

void setSessionAttended(bool attended) {
    reportToEach([attended](HeadlessWindow& window) { window.events().sessionChanged(attended); });
}

void setTimeOfDay(float seconds) { machine().timeOfDay = seconds; }
void setPreviousInstanceRunning(bool running) { machine().previousInstance = running; }
void setCommandLine(std::string arguments) { machine().commandLine = std::move(arguments); }

Handle addForeignWindow(std::string title, int clientWidth, int clientHeight, std::string className) {
    const Handle handle = newHandle();
    WindowState state;
    state.title = std::move(title);
    state.className = std::move(className);
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

void resizeForeignWindow(Handle window, int clientWidth, int clientHeight) {
    machine().windows.at(window).width = clientWidth;
    machine().windows.at(window).height = clientHeight;
    reportToEach([&](HeadlessWindow& child) {
        if (machine().windows.at(child.handle()).parent == window) child.moved(0, 0, clientWidth, clientHeight, false);
    });
}

std::vector<Handle> plainCoversOf(const Form& form) {
    std::vector<Handle> covers;
    if (!form.isLoaded()) return covers;
    for (const auto& [handle, state] : machine().windows) {
        if (state.plainCoverOf == form.hWnd()) covers.push_back(handle);
    }
    return covers;
}

void destroyWindow(Handle window) {
    // Children go with their parent; a window of the program that goes
    // unloads its form.
    std::vector<Handle> children;
    for (const auto& [handle, state] : machine().windows)
        if (state.parent == window) children.push_back(handle);
    for (Handle child : children) destroyWindow(child);
    if (HeadlessWindow* ours = programWindow(window)) {
        asEvent([ours] { ours->events().destroyed(); });
        return;
    }
    if (const auto dialog = machine().dialogs.find(window); dialog != machine().dialogs.end()) {
        asEvent([&] { dialog->second->events().destroyed(); });
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
    asEvent([&] { runEvent(main); });
    return machine().outcome;
}

void click(Form& form) {
    if (HeadlessWindow* window = windowOf(form)) asEvent([window] { window->events().clicked(); });
}

void clickWindow(Handle window) {
    const WindowState& state = machine().windows.at(window);
    const Handle clicked = state.plainCoverOf != 0 ? state.plainCoverOf : window;
    if (HeadlessWindow* ours = programWindow(clicked)) asEvent([ours] { ours->events().clicked(); });
}

void pressKey(Form& form) {
    if (HeadlessWindow* window = windowOf(form)) asEvent([window] { window->events().keyPressed(); });
}

void pressMouseButton(Form& form) {
    if (HeadlessWindow* window = windowOf(form)) asEvent([window] { window->events().mouseButtonPressed(); });
}

void movePointer(Form& form, int x, int y) {
    machine().pointer = {x, y};
    if (HeadlessWindow* window = windowOf(form)) asEvent([window, x, y] { window->events().pointerMoved(x, y); });
}

void activate(Form& form) {
    HeadlessWindow* window = windowOf(form);
    if (!window) return;
    asEvent([window] {
        window->events().deactivated();
        window->events().activated();
    });
}

void tick(Form& form) {
    HeadlessWindow* window = windowOf(form);
    if (!window) return;
    const Handle handle = window->handle();
    for (int timer : std::set<int>(window->runningTimers())) {
        if (programWindow(handle) != window) return;
        asEvent([window, timer] { window->events().timerFired(timer); });
    }
}

const render::Image& renderFrame(Form& form) {
    static const render::Image noWindow;
    HeadlessWindow* window = windowOf(form);
    if (!window) return noWindow;
    form.window()->presentChanges();
    return window->screen();
}

const std::vector<PixelRect>& lastPresentedRects(const Form& form) {
    static const std::vector<PixelRect> noWindow;
    const HeadlessWindow* window = windowOf(form);
    return window ? window->lastPresentedRects() : noWindow;
}

bool saveFrame(Form& form, const std::filesystem::path& path) {
    return form.isLoaded() && writePng(path, renderFrame(form));
}

}  // namespace host::headless
