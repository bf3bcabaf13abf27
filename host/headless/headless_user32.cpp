#include "host/backend/user32.h"

#include "host/headless/headless_state.h"
#include "host/headless/headless_window.h"

namespace host::user32 {

using headless::machine;

namespace {
void record(std::string name, std::vector<std::int64_t> args, std::string text = {}) {
    machine().calls.push_back({std::move(name), std::move(args), std::move(text), machine().instanceTurnHeld});
}
}  // namespace

// As on Windows: a top-level window of that class (any, without one) and
// that title.
HWND FindWindowA(const char* className, const char* windowName) {
    record("FindWindowA", {className == nullptr ? 0 : 1}, windowName ? windowName : "");
    for (const auto& [handle, state] : machine().windows) {
        if (state.parent != 0 || (className && state.className != className)) continue;
        if (!windowName || state.title == windowName) return handle;
    }
    return 0;
}

bool IsWindow(HWND window) {
    record("IsWindow", {window});
    return machine().windows.count(window) != 0;
}

// Only the root is asked for: the top-level window a window belongs to.
HWND GetAncestor(HWND window, unsigned flags) {
    record("GetAncestor", {window, flags});
    auto found = machine().windows.find(window);
    if (found == machine().windows.end()) return 0;
    while (found->second.parent != 0) {
        const auto parent = machine().windows.find(found->second.parent);
        if (parent == machine().windows.end()) break;
        found = parent;
    }
    return found->first;
}

int ShowCursor(bool show) {
    record("ShowCursor", {show ? 1 : 0});
    machine().cursorCount += show ? 1 : -1;
    return machine().cursorCount;
}

bool GetCursorPos(POINT& point) {
    record("GetCursorPos", {});
    point = machine().pointer;
    return true;
}

bool GetClientRect(HWND window, RECT& rect) {
    record("GetClientRect", {window});
    const auto found = machine().windows.find(window);
    if (found == machine().windows.end()) return false;
    rect = {0, 0, found->second.width, found->second.height};
    return true;
}

LONG GetWindowLongA(HWND window, int index) {
    record("GetWindowLongA", {window, index});
    const auto found = machine().windows.find(window);
    if (found == machine().windows.end()) return 0;
    if (index == GWL_STYLE) return found->second.style;
    if (index == GWL_HWNDPARENT) return LONG(found->second.owner);
    return 0;
}

LONG SetWindowLongA(HWND window, int index, LONG value) {
    record("SetWindowLongA", {window, index, value});
    const auto found = machine().windows.find(window);
    if (found == machine().windows.end()) return 0;
    LONG previous = 0;
    if (index == GWL_STYLE) {
        previous = found->second.style;
        found->second.style = value;
    } else if (index == GWL_HWNDPARENT) {
        previous = LONG(found->second.owner);
        found->second.owner = value;
    }
    return previous;
}

HWND SetParent(HWND child, HWND newParent) {
    record("SetParent", {child, newParent});
    const auto found = machine().windows.find(child);
    if (found == machine().windows.end()) return 0;
    const HWND previous = found->second.parent;
    found->second.parent = newParent;
    return previous;
}

bool SetWindowPos(HWND window, HWND insertAfter, int x, int y, int width, int height, unsigned flags) {
    record("SetWindowPos", {window, insertAfter, x, y, width, height, flags});
    const auto found = machine().windows.find(window);
    if (found == machine().windows.end()) return false;
    const bool shown = (flags & SWP_SHOWWINDOW) != 0;
    if (headless::HeadlessWindow* ours = headless::programWindow(window)) {
        ours->moved(x, y, width, height, shown);
        return true;
    }
    headless::WindowState& state = found->second;
    state.x = x;
    state.y = y;
    state.width = width;
    state.height = height;
    state.visible = state.visible || shown;
    return true;
}

}  // namespace host::user32
