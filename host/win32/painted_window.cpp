#include "host/win32/painted_window.h"

#include <algorithm>

#include "host/backend/window_styles.h"
#include "host/render/render.h"
#include "host/win32/live_windows.h"
#include "host/win32/screen_metrics.h"
#include "host/win32/system_functions.h"
#include "host/win32/wide_text.h"
#include "host/win32/window_class.h"

namespace host::win32 {

namespace {

constexpr int applicationIcon = 1;

const wchar_t* windowClass(WNDPROC procedure) {
    static const std::wstring className = widen(backend::paintedWindowClass);
    // A device context of its own keeps its state from frame to frame, where
    // a shared one is made afresh by every GetDC: under Wine that selects the
    // default font again and reads the X resources from disk on each frame.
    static const wchar_t* const name = registerPaintedWindowClass(
        className.c_str(), CS_OWNDC, procedure, LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(applicationIcon)),
        LoadCursorW(nullptr, IDC_ARROW));
    return name;
}

// What handing one more group of changed rectangles to the screen costs,
// in pixels the X server copies: a request to it and a look for input.
constexpr long long groupCost = 40000;

// Wine puts what a window drew on the X display whenever its thread looks
// for input, as the one rectangle bounding all of it since the last time: a
// spiral spread over the screen would cost a copy of the whole screen every
// tick. Asking for a key's state is such a look that, unlike a wait, seldom
// costs a round trip to the Wine server; like any look, it may deliver the
// system's own events to this program's windows before it returns. Windows'
// compositor takes the changed rectangles as they come, and gains nothing
// from this.
bool drawingReachesTheScreenAsOneRectangle() {
    static const bool wine = GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr;
    return wine;
}

void handOver() { GetAsyncKeyState(VK_NONAME); }

DWORD extendedStyleFor(const backend::PaintedWindowDesign& design) {
    DWORD style = 0;
    if (design.topmost) style |= WS_EX_TOPMOST;
    if (!design.showInTaskbar) style |= WS_EX_TOOLWINDOW;
    return style;
}

}  // namespace

PaintedWindow::PaintedWindow(const backend::PaintedWindowDesign& design, backend::WindowEvents& events)
    : events_(events), dpi_(screenDpi()) {
    const PixelRect& rect = design.rect;
    // Created hidden, already titled: another instance looks for it by title.
    CreateWindowExW(extendedStyleFor(design), windowClass(&PaintedWindow::windowProcedure),
                    widen(design.caption).c_str(), backend::paintedWindowStyle, rect.left, rect.top, rect.right - rect.left,
                    rect.bottom - rect.top, nullptr, nullptr, GetModuleHandleW(nullptr), this);
    dpi_ = windowDpi(window_);
    // Drawing for a display the power plan has turned off only wastes power:
    // the runtime rests the timers until it is back.
    displayStateNotification_ =
        RegisterPowerSettingNotification(window_, &consoleDisplayState, DEVICE_NOTIFY_WINDOW_HANDLE);
    liveWindows().add(this);
}

PaintedWindow::~PaintedWindow() {
    liveWindows().remove(this);
    plainCovers_.reset();
    modalOwner_.giveBack();
    if (displayStateNotification_) UnregisterPowerSettingNotification(displayStateNotification_);
    if (sessionNotifications_ && !destroyedFromOutside_) {
        if (const auto unregister = system_functions::wtsUnRegisterSessionNotification()) unregister(window_);
    }
    if (!destroyedFromOutside_ && IsWindow(window_)) {
        // Its last messages go to the default procedure: this object is gone.
        SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
        DestroyWindow(window_);
    }
}

void PaintedWindow::setCaption(const std::string& caption) { SetWindowTextW(window_, widen(caption).c_str()); }

void PaintedWindow::takeOwner(std::intptr_t owner) { modalOwner_.take(window_, reinterpret_cast<HWND>(owner)); }

PixelSize PaintedWindow::windowPixels() const {
    RECT rect{};
    GetWindowRect(window_, &rect);
    return {rect.right - rect.left, rect.bottom - rect.top};
}

PixelSize PaintedWindow::clientPixels() const {
    RECT rect{};
    GetClientRect(window_, &rect);
    return {rect.right, rect.bottom};
}

void PaintedWindow::place(PixelRect rect) {
    SetWindowPos(window_, nullptr, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void PaintedWindow::blit(HDC dc, const RECT& rect) const {
    if (!backBuffer_ || backBuffer_->width() == 0 || backBuffer_->height() == 0) return;
    const RECT area{std::max(rect.left, LONG(0)), std::max(rect.top, LONG(0)),
                    std::min(rect.right, LONG(backBuffer_->width())), std::min(rect.bottom, LONG(backBuffer_->height()))};
    if (area.right <= area.left || area.bottom <= area.top) return;
    // The area's rows alone, as a bitmap of their own: how a source row is
    // counted then cannot differ between systems.
    const int rows = area.bottom - area.top;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = backBuffer_->width();
    info.bmiHeader.biHeight = -rows;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    const std::uint32_t* const firstRow = backBuffer_->data() + std::size_t(area.top) * std::size_t(backBuffer_->width());
    SetDIBitsToDevice(dc, area.left, area.top, DWORD(area.right - area.left), DWORD(rows), area.left, 0, 0, UINT(rows),
                      firstRow, &info, DIB_RGB_COLORS);
}

void PaintedWindow::blitEach(HDC dc, const std::vector<PixelRect>& rects) const {
    for (const PixelRect& rect : rects) blit(dc, RECT{rect.left, rect.top, rect.right, rect.bottom});
}

// Likewise for a locked or disconnected session. The library that tells is
// loaded once the clock runs, not before its first picture.
void PaintedWindow::hearOfTheSession() {
    if (sessionNotificationsAsked_) return;
    sessionNotificationsAsked_ = true;
    const auto subscribe = system_functions::wtsRegisterSessionNotification();
    sessionNotifications_ = subscribe && subscribe(window_, NOTIFY_FOR_THIS_SESSION);
}

void PaintedWindow::present(const render::Image& backBuffer, const std::vector<PixelRect>& rects) {
    backBuffer_ = &backBuffer;
    if (rects.empty() || !IsWindowVisible(window_)) return;
    // A window that waits for its first paint gets these with it rather than
    // copied twice. Asking the system whether a paint is pending would cost a
    // round trip to it on every frame.
    if (!paintedOnce_) {
        for (const PixelRect& rect : rects) {
            const RECT area{rect.left, rect.top, rect.right, rect.bottom};
            InvalidateRect(window_, &area, FALSE);
        }
        return;
    }
    HDC dc = GetDC(window_);
    if (drawingReachesTheScreenAsOneRectangle()) {
        for (const render::RectGroup& group : render::groupNearby(rects, groupCost)) {
            blitEach(dc, group.rects);
            handOver();
        }
    } else {
        blitEach(dc, rects);
    }
    ReleaseDC(window_, dc);
}

void PaintedWindow::coverAlso(const std::vector<PixelRect>& rects, Color color) {
    if (rects.empty()) {
        plainCovers_.reset();
        return;
    }
    if (!plainCovers_) plainCovers_ = std::make_unique<PlainCovers>(color, events_);
    plainCovers_->follow(rects);
}

void PaintedWindow::onPaint() {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window_, &paint);
    blit(dc, paint.rcPaint);
    EndPaint(window_, &paint);
    paintedOnce_ = true;
}

void PaintedWindow::followParent() {
    if (!IsWindow(window_)) {
        windowGone();
        return;
    }
    const HWND parent = GetAncestor(window_, GA_PARENT);
    if (parent == GetDesktopWindow()) return;
    if (parent == nullptr || !IsWindow(parent)) {
        DestroyWindow(window_);
        return;
    }
    // The preview pane follows the page's layout: the picture follows the pane.
    RECT pane{}, own{};
    GetClientRect(parent, &pane);
    GetClientRect(window_, &own);
    if (pane.right != own.right || pane.bottom != own.bottom)
        SetWindowPos(window_, nullptr, 0, 0, pane.right, pane.bottom, SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace host::win32
