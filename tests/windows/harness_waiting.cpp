#include <algorithm>

#include "harness.h"

namespace harness {

namespace {

using Clock = std::chrono::steady_clock;

// Sleeps up to the interval, waking early for the test's own messages.
void idle(std::chrono::milliseconds interval) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, DWORD(interval.count()), QS_ALLINPUT);
    pumpMessages();
}

}  // namespace

void pumpMessages() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

bool waitUntil(const std::function<bool()>& predicate, std::chrono::milliseconds timeout) {
    const auto deadline = Clock::now() + timeout;
    while (true) {
        pumpMessages();
        if (predicate()) return true;
        if (Clock::now() >= deadline) return false;
        idle(10ms);
    }
}

HWND waitForWindow(DWORD processId, std::chrono::milliseconds timeout) {
    HWND found = nullptr;
    waitUntil(
        [&] {
            std::vector<HWND> windows = topLevelWindowsOf(processId);
            if (!windows.empty()) found = windows.front();
            return found != nullptr;
        },
        timeout);
    return found;
}

void pumpMessagesFor(std::chrono::milliseconds duration) {
    const auto end = Clock::now() + duration;
    for (auto now = Clock::now(); now < end; now = Clock::now())
        idle(std::min(std::chrono::duration_cast<std::chrono::milliseconds>(end - now), 10ms));
}

// A thread handles the messages sent to it whenever it looks at its queue,
// before anything posted, and takes at most one posted message each time it
// looks. So one round trip more than there are posted messages comes back
// only once the last of them has been taken and handled.
bool postAndWaitUntilHandled(HWND window, std::initializer_list<PostedMessage> messages,
                             std::chrono::milliseconds timeout) {
    for (const PostedMessage& posted : messages) {
        if (!PostMessageW(window, posted.message, posted.wParam, posted.lParam)) return false;
    }
    for (std::size_t roundTrip = 0; roundTrip <= messages.size(); ++roundTrip) {
        DWORD_PTR ignored = 0;
        if (!SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, UINT(timeout.count()), &ignored))
            return false;
    }
    return true;
}

}  // namespace harness
