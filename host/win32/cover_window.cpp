#include "host/win32/cover_window.h"

#include <algorithm>
#include <cmath>

#include "host/win32/live_windows.h"
#include "host/win32/screen_metrics.h"
#include "host/win32/wide_text.h"
#include "host/win32/window_class.h"

namespace host::win32 {

namespace {

constexpr int applicationIcon = 1;

const wchar_t* windowClass(WNDPROC procedure) {
    static const wchar_t* const name = registerPaintedWindowClass(
        L"ZantrelleCover", procedure, LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(applicationIcon)),
        LoadCursorW(nullptr, IDC_ARROW));
    return name;
}

DWORD styleFor(const FormDesign& design) {
    const DWORD popup = WS_POPUP | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
    return design.border == BorderStyle::None ? popup : popup | WS_CAPTION | WS_SYSMENU;
}

DWORD extendedStyleFor(const FormDesign& design) {
    DWORD style = 0;
    if (design.topmost) style |= WS_EX_TOPMOST;
    if (!design.showInTaskbar) style |= WS_EX_TOOLWINDOW;
    return style;
}

// Where a window that is not maximised goes: its design size, centred on
// the primary monitor.
RECT designRect(const FormDesign& design, int dpi) {
    const PixelScale scale = PixelScale::fromDpi(dpi, dpi);
    RECT rect{0, 0, twipsToPixels(design.clientSize.width, scale.twipsPerPixelX),
              twipsToPixels(design.clientSize.height, scale.twipsPerPixelY)};
    AdjustWindowRectEx(&rect, styleFor(design), FALSE, extendedStyleFor(design));
    const RECT monitor = primaryMonitorRect();
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    const int left = monitor.left + (monitor.right - monitor.left - width) / 2;
    const int top = monitor.top + (monitor.bottom - monitor.top - height) / 2;
    return {left, top, left + width, top + height};
}

}  // namespace

CoverWindow::CoverWindow(Form& form)
    : form_(form), dpi_(screenDpi()), background_(render::toPixel(form.design().backColor)),
      measuringDc_(CreateCompatibleDC(nullptr)) {
    const FormDesign& design = form.design();
    const RECT rect = design.maximized ? primaryMonitorRect() : designRect(design, dpi_);
    // Created hidden, already titled: another instance looks for it by title.
    CreateWindowExW(extendedStyleFor(design), windowClass(&CoverWindow::windowProcedure),
                    widen(form.Caption()).c_str(), styleFor(design), rect.left, rect.top, rect.right - rect.left,
                    rect.bottom - rect.top, nullptr, nullptr, GetModuleHandleW(nullptr), this);
    dpi_ = windowDpi(window_);
    RECT client{};
    GetClientRect(window_, &client);
    resizeBuffers(client.right, client.bottom);
    startTimers();
    // Drawing 64 times a second to a display the power plan has turned off
    // only wastes power: the timers rest until it is back.
    displayStateNotification_ =
        RegisterPowerSettingNotification(window_, &consoleDisplayState, DEVICE_NOTIFY_WINDOW_HANDLE);
    liveWindows().add(this);
}

CoverWindow::~CoverWindow() {
    liveWindows().remove(this);
    plainCovers_.reset();
    modalOwner_.giveBack();
    if (displayStateNotification_) UnregisterPowerSettingNotification(displayStateNotification_);
    if (!destroyedFromOutside_ && IsWindow(window_)) {
        // Its last messages go to the default procedure: this object is gone.
        SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
        DestroyWindow(window_);
    }
    DeleteDC(measuringDc_);
}

void CoverWindow::startTimers() {
    const std::vector<Timer*>& timers = form_.timers();
    for (std::size_t index = 0; index < timers.size(); ++index) {
        if (timers[index]->Interval > 0) SetTimer(window_, index + 1, UINT(timers[index]->Interval), nullptr);
    }
}

void CoverWindow::stopTimers() {
    for (std::size_t index = 0; index < form_.timers().size(); ++index) KillTimer(window_, index + 1);
}

void CoverWindow::setCaption(const std::string& caption) { SetWindowTextW(window_, widen(caption).c_str()); }

bool CoverWindow::coversTheScreen() const { return form_.design().maximized && !isChild(); }

void CoverWindow::show() {
    // Activate normally comes from the messages ShowWindow sends; raised here
    // too for a system that activates later or not at all.
    Form& form = form_;
    if (coversTheScreen() && !plainCovers_) {
        plainCovers_ = std::make_unique<PlainCovers>(form.design().backColor, [&form] {
            raise(form, [&form] { form.Form_Click(); });
        });
        plainCovers_->follow(desktopMonitors());
    }
    ShowWindow(window_, SW_SHOW);
    if (form.peer() != this) return;
    SetForegroundWindow(window_);
    if (form.peer() != this) return;
    raiseFirstActivation();
}

PixelSize CoverWindow::windowPixels() const {
    RECT rect{};
    GetWindowRect(window_, &rect);
    return {rect.right - rect.left, rect.bottom - rect.top};
}

PixelSize CoverWindow::clientPixels() const {
    RECT rect{};
    GetClientRect(window_, &rect);
    return {rect.right, rect.bottom};
}

POINT CoverWindow::toPixels(TwipPoint point) const {
    const PixelScale pixels = scale();
    return {twipsToPixels(point.x, pixels.twipsPerPixelX), twipsToPixels(point.y, pixels.twipsPerPixelY)};
}

bool CoverWindow::isChild() const { return (GetWindowLongW(window_, GWL_STYLE) & WS_CHILD) != 0; }

void CoverWindow::drawLine(TwipPoint from, TwipPoint to, Color color, int widthPixels) {
    if (persistentLayer_.empty()) return;
    // Drawn by the same rasteriser as the headless backend's, so that what
    // the tests see of the dial is what Windows shows; only text goes
    // through GDI.
    layerChanges_.add(render::drawLine(persistentLayer_.view(), from, to, color, widthPixels, scale()));
}

void CoverWindow::drawText(TwipPoint topLeft, std::string_view text, const Font& font, Color color) {
    if (persistentLayer_.empty() || text.empty()) return;
    layerChanges_.add(
        drawGdiText(persistentLayer_.dc(), toPixels(topLeft), widen(text), fonts_.font(font, dpi_), color));
}

TwipSize CoverWindow::textExtent(std::string_view text, const Font& font) const {
    const SIZE size = gdiTextSize(measuringDc_, fonts_.font(font, dpi_), widen(text));
    const PixelScale pixels = scale();
    return {Twips(size.cx) * pixels.twipsPerPixelX, Twips(size.cy) * pixels.twipsPerPixelY};
}

void CoverWindow::resizeBuffers(int width, int height) {
    if (width == persistentLayer_.width() && height == persistentLayer_.height()) return;
    // What was drawn survives a resize where it still fits.
    DibSection layer(width, height, background_);
    if (!layer.empty() && !persistentLayer_.empty()) {
        BitBlt(layer.dc(), 0, 0, std::min(width, persistentLayer_.width()),
               std::min(height, persistentLayer_.height()), persistentLayer_.dc(), 0, 0, SRCCOPY);
    }
    persistentLayer_ = std::move(layer);
    backBuffer_ = DibSection(width, height, background_);
    backBufferStale_ = true;
    layerChanges_.clear();
    InvalidateRect(window_, nullptr, FALSE);
}

std::vector<PixelRect> CoverWindow::paintChanges() {
    if (backBuffer_.empty()) return {};
    if (backBufferStale_) {
        paintFullFrame();
        return {backBuffer_.view().bounds()};
    }
    // What the form drew into the layer since the last frame is repainted
    // along with the controls that changed.
    std::vector<PixelRect> changed =
        render::paintChanges(form_, presentedFrame_, persistentLayer_.view(), backBuffer_.view(), layerChanges_);
    layerChanges_.clear();
    return changed;
}

void CoverWindow::paintFullFrame() {
    if (backBuffer_.empty()) return;
    render::paintWhole(form_, presentedFrame_, persistentLayer_.view(), backBuffer_.view());
    layerChanges_.clear();
    backBufferStale_ = false;
}

void CoverWindow::presentChanges() { blit(paintChanges()); }

void CoverWindow::blit(const std::vector<PixelRect>& rects) {
    if (rects.empty() || !IsWindowVisible(window_)) return;
    // A window that waits for its paint (the first frame, just shown) gets
    // these with it rather than copied twice.
    if (GetUpdateRect(window_, nullptr, FALSE)) {
        for (const PixelRect& rect : rects) {
            const RECT area{rect.left, rect.top, rect.right, rect.bottom};
            InvalidateRect(window_, &area, FALSE);
        }
        return;
    }
    HDC dc = GetDC(window_);
    for (const PixelRect& rect : rects) {
        BitBlt(dc, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, backBuffer_.dc(), rect.left,
               rect.top, SRCCOPY);
    }
    ReleaseDC(window_, dc);
}

void CoverWindow::onPaint() {
    const std::vector<PixelRect> changed = paintChanges();
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window_, &paint);
    if (!backBuffer_.empty()) {
        const RECT& area = paint.rcPaint;
        BitBlt(dc, area.left, area.top, area.right - area.left, area.bottom - area.top, backBuffer_.dc(), area.left,
               area.top, SRCCOPY);
    }
    EndPaint(window_, &paint);
    blit(changed);
}

void CoverWindow::placeOverPrimaryMonitor() {
    const RECT monitor = primaryMonitorRect();
    SetWindowPos(window_, nullptr, monitor.left, monitor.top, monitor.right - monitor.left,
                 monitor.bottom - monitor.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

void CoverWindow::showOwnedBy(std::intptr_t owner) {
    modalOwner_.take(window_, reinterpret_cast<HWND>(owner));
    show();
}

void CoverWindow::suspend() {
    suspended_ = true;
    stopTimers();
    ShowWindow(window_, SW_HIDE);
    if (plainCovers_) plainCovers_->follow({});
}

void suspendCoverWindows() {
    for (CoverWindow* window : liveWindows().snapshot()) window->suspend();
}

}  // namespace host::win32
