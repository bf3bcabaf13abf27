#include "harness.h"

namespace harness {

namespace {

// The absolute coordinates SendInput takes: 0 to 65535 across the virtual
// screen, which spans every monitor.
INPUT mouseMoveTo(int x, int y) {
    const int left = GetSystemMetrics(SM_XVIRTUALSCREEN);
    const int top = GetSystemMetrics(SM_YVIRTUALSCREEN);
    const int width = GetSystemMetrics(SM_CXVIRTUALSCREEN);
    const int height = GetSystemMetrics(SM_CYVIRTUALSCREEN);
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = LONG(MulDiv(x - left, 65535, width > 1 ? width - 1 : 1));
    input.mi.dy = LONG(MulDiv(y - top, 65535, height > 1 ? height - 1 : 1));
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_VIRTUALDESK;
    return input;
}

}  // namespace

void clickAt(int x, int y, DWORD down, DWORD up) {
    SetCursorPos(x, y);
    INPUT inputs[3] = {mouseMoveTo(x, y), {}, {}};
    inputs[1].type = inputs[2].type = INPUT_MOUSE;
    inputs[1].mi.dwFlags = down;
    inputs[2].mi.dwFlags = up;
    SendInput(3, inputs, sizeof(INPUT));
    pumpMessages();
}

void moveMouseTo(int x, int y) {
    SetCursorPos(x, y);
    INPUT input = mouseMoveTo(x, y);
    SendInput(1, &input, sizeof(INPUT));
    pumpMessages();
}

void pressKey(WORD virtualKey) {
    INPUT inputs[2] = {};
    for (INPUT& input : inputs) {
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = virtualKey;
        input.ki.wScan = WORD(MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC));
    }
    inputs[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, inputs, sizeof(INPUT));
    pumpMessages();
}

// A thread may only take the foreground for another while their input
// queues are joined.
bool activate(HWND window, std::chrono::milliseconds timeout) {
    const DWORD target = GetWindowThreadProcessId(window, nullptr);
    const DWORD self = GetCurrentThreadId();
    const bool attached = target != self && AttachThreadInput(self, target, TRUE);
    SetForegroundWindow(window);
    SetActiveWindow(window);
    SetFocus(window);
    if (attached) AttachThreadInput(self, target, FALSE);
    return waitUntil([window] { return GetForegroundWindow() == window; }, timeout);
}

}  // namespace harness
