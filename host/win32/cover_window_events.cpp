// How the cover window turns window messages into the form's events.
#include "host/win32/cover_window.h"

#include <cstring>

#include "host/app.h"
#include "host/win32/live_windows.h"
#include "host/win32/screen_metrics.h"
#include "host/win32/unexpected_failure.h"

namespace host::win32 {

LRESULT CALLBACK CoverWindow::windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* created = static_cast<CoverWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        created->window_ = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(created));
    }
    auto* cover = reinterpret_cast<CoverWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!cover) return DefWindowProcW(window, message, wParam, lParam);
    // Nothing may unwind through the system's code that called us.
    try {
        return cover->onMessage(message, wParam, lParam);
    } catch (const std::exception& failure) {
        reportUnexpectedFailure(failure);
    }
}

LRESULT CoverWindow::onMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT:
        onPaint();
        return 0;
    case WM_SIZE:
        resizeBuffers(LOWORD(lParam), HIWORD(lParam));
        return 0;
    case WM_WINDOWPOSCHANGED:
        onWindowPosChanged(wParam, lParam);
        return 0;
    case WM_ACTIVATE:
        DefWindowProcW(window_, message, wParam, lParam);
        onActivate(wParam);
        return 0;
    case WM_TIMER:
        onTimer(wParam);
        return 0;
    case WM_LBUTTONUP: {
        // A window planted in another program's window is a picture there,
        // not a screen saver to dismiss.
        if (isChild()) return 0;
        Form& form = form_;
        raise(form, [&form] { form.Form_Click(); });
        return 0;
    }
    case WM_CLOSE: {
        Form& form = form_;
        runEvent([&form] { form.Unload(); });
        return 0;
    }
    case WM_DESTROY:
        // Not our own Unload, which detaches first: the parent took it along.
        windowGone();
        return 0;
    case WM_DPICHANGED:
        onDpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
        return 0;
    case WM_DPICHANGED_AFTERPARENT:
        dpi_ = windowDpi(window_);
        return 0;
    case WM_DISPLAYCHANGE:
        onDisplayChange();
        return 0;
    case WM_POWERBROADCAST:
        onPowerBroadcast(wParam, lParam);
        return TRUE;
    default:
        return DefWindowProcW(window_, message, wParam, lParam);
    }
}

void CoverWindow::raise(Form& form, const std::function<void()>& event) {
    runEvent(event);
    if (CoverWindow* cover = liveWindows().windowOf(form)) cover->presentChanges();
}

// Activate comes the first time the window shows, by whatever route: the
// runtime's Show, or a SetWindowPos that shows it inside another window.
void CoverWindow::onWindowPosChanged(WPARAM wParam, LPARAM lParam) {
    const bool shown = (reinterpret_cast<const WINDOWPOS*>(lParam)->flags & SWP_SHOWWINDOW) != 0;
    // The default handling sends WM_SIZE, so the buffers fit before Activate draws.
    DefWindowProcW(window_, WM_WINDOWPOSCHANGED, wParam, lParam);
    if (shown) raiseFirstActivation();
}

void CoverWindow::raiseFirstActivation() {
    if (activated_) return;
    activated_ = true;
    Form& form = form_;
    raise(form, [&form] { form.Form_Activate(); });
}

// And again each time the window becomes the active window after another was.
void CoverWindow::onActivate(WPARAM wParam) {
    if (LOWORD(wParam) == WA_INACTIVE) {
        inactive_ = true;
        return;
    }
    // A hidden window can be made active too (re-parenting does it): that is
    // no showing, and the window may not have its final size yet.
    if (!activated_) {
        if (IsWindowVisible(window_)) raiseFirstActivation();
        return;
    }
    if (!inactive_) return;
    inactive_ = false;
    Form& form = form_;
    raise(form, [&form] { form.Form_Activate(); });
}

void CoverWindow::onTimer(WPARAM id) {
    const std::vector<Timer*>& timers = form_.timers();
    if (id == 0 || id > timers.size()) return;
    Timer& timer = *timers[id - 1];
    if (timer.Enabled && timer.onTimer) raise(form_, timer.onTimer);
}

void CoverWindow::onDpiChanged(int dpi, const RECT& suggested) {
    dpi_ = dpi;
    SetWindowPos(window_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

// Monitors added, removed or resized: the clock stays on the primary one and
// the plain covers follow the others.
void CoverWindow::onDisplayChange() {
    if (suspended_ || !coversTheScreen()) return;
    placeOverPrimaryMonitor();
    if (plainCovers_) plainCovers_->follow(desktopMonitors());
}

void CoverWindow::onPowerBroadcast(WPARAM event, LPARAM lParam) {
    if (suspended_ || event != PBT_POWERSETTINGCHANGE) return;
    const auto& setting = *reinterpret_cast<const POWERBROADCAST_SETTING*>(lParam);
    if (!IsEqualGUID(setting.PowerSetting, consoleDisplayState) || setting.DataLength < sizeof(DWORD)) return;
    DWORD state = 0;
    std::memcpy(&state, setting.Data, sizeof state);
    constexpr DWORD displayOff = 0;
    const bool off = state == displayOff;
    if (off == displayOff_) return;
    displayOff_ = off;
    if (off) {
        stopTimers();
    } else {
        startTimers();
    }
}

void CoverWindow::windowGone() {
    destroyedFromOutside_ = true;
    SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
    Form& form = form_;
    runEvent([&form] { form.Unload(); });
}

void CoverWindow::endIfOrphaned() {
    if (!IsWindow(window_)) {
        windowGone();
        return;
    }
    const HWND parent = GetAncestor(window_, GA_PARENT);
    if (parent != GetDesktopWindow() && (parent == nullptr || !IsWindow(parent))) DestroyWindow(window_);
}

}  // namespace host::win32
