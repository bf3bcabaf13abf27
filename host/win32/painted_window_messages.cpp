// How the painted window turns window messages into reports to the runtime.
#include "host/win32/painted_window.h"

#include <wtsapi32.h>

#include <cstring>

#include "host/backend/runtime_calls.h"
#include "host/win32/input_reports.h"
#include "host/win32/screen_metrics.h"

namespace host::win32 {

LRESULT CALLBACK PaintedWindow::windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* created = static_cast<PaintedWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        created->window_ = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(created));
    }
    auto* painted = reinterpret_cast<PaintedWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!painted) return DefWindowProcW(window, message, wParam, lParam);
    // Nothing may unwind through the system's code that called us.
    try {
        return painted->onMessage(message, wParam, lParam);
    } catch (const std::exception& failure) {
        reportUnexpectedFailure(failure);
    }
}

// Each report may end with this window gone: nothing of it is touched after.
LRESULT PaintedWindow::onMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (const std::optional<LRESULT> result = reportInput(window_, message, wParam, lParam, events_)) return *result;
    switch (message) {
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT:
        onPaint();
        return 0;
    case WM_PRINTCLIENT: {
        // Thumbnails and PrintWindow ask for the picture this way, even of a
        // hidden window: the whole client area from the back buffer.
        RECT client{};
        GetClientRect(window_, &client);
        blit(HDC(wParam), client);
        return 0;
    }
    case WM_SIZE:
        events_.resized();
        return 0;
    case WM_WINDOWPOSCHANGED: {
        const bool shown = (reinterpret_cast<const WINDOWPOS*>(lParam)->flags & SWP_SHOWWINDOW) != 0;
        // The default handling sends WM_SIZE, so the back buffer fits before
        // Activate draws.
        DefWindowProcW(window_, message, wParam, lParam);
        if (shown) events_.activated();
        return 0;
    }
    case WM_ACTIVATE:
        DefWindowProcW(window_, message, wParam, lParam);
        // A hidden window can be made active too (re-parenting does it):
        // that is no showing, and the window may not have its final size.
        if (LOWORD(wParam) == WA_INACTIVE) {
            events_.deactivated();
        } else if (IsWindowVisible(window_)) {
            events_.activated();
        }
        return 0;
    case WM_TIMER:
        hearOfTheSession();
        events_.timerFired(int(wParam));
        return 0;
    case WM_CLOSE:
        events_.closeAsked();
        return 0;
    case WM_DESTROY:
        // Not our own destruction, which detaches first: the parent took it along.
        windowGone();
        return 0;
    case WM_DPICHANGED:
        // The runtime places the window; the suggested rectangle is for
        // windows that are not full screen.
        dpi_ = HIWORD(wParam);
        events_.dpiChanged();
        return 0;
    case WM_DPICHANGED_AFTERPARENT:
        dpi_ = windowDpi(window_);
        events_.dpiChanged();
        return 0;
    case WM_DISPLAYCHANGE:
        events_.displaysChanged();
        return 0;
    case WM_POWERBROADCAST:
        onPowerBroadcast(wParam, lParam);
        return TRUE;
    case WM_WTSSESSION_CHANGE:
        onSessionChange(wParam);
        return 0;
    default:
        return DefWindowProcW(window_, message, wParam, lParam);
    }
}

void PaintedWindow::onPowerBroadcast(WPARAM event, LPARAM lParam) {
    if (event != PBT_POWERSETTINGCHANGE) return;
    const auto& setting = *reinterpret_cast<const POWERBROADCAST_SETTING*>(lParam);
    if (!IsEqualGUID(setting.PowerSetting, consoleDisplayState) || setting.DataLength < sizeof(DWORD)) return;
    DWORD state = 0;
    std::memcpy(&state, setting.Data, sizeof state);
    constexpr DWORD displayOff = 0;
    events_.displayPowerChanged(state != displayOff);
}

// Locked or disconnected, locally or remotely: nobody sees the clock.
void PaintedWindow::onSessionChange(WPARAM event) {
    switch (event) {
    case WTS_SESSION_LOCK:
    case WTS_CONSOLE_DISCONNECT:
    case WTS_REMOTE_DISCONNECT:
        events_.sessionChanged(false);
        break;
    case WTS_SESSION_UNLOCK:
    case WTS_CONSOLE_CONNECT:
    case WTS_REMOTE_CONNECT:
        events_.sessionChanged(true);
        break;
    default:
        break;
    }
}

void PaintedWindow::windowGone() {
    destroyedFromOutside_ = true;
    SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
    events_.destroyed();
}

}  // namespace host::win32
