#include "host/win32/dialog_window.h"

#include <commctrl.h>

#include <optional>

#include "host/backend/runtime_calls.h"
#include "host/backend/window_styles.h"
#include "host/win32/dialog_controls.h"
#include "host/win32/modal_owner.h"
#include "host/win32/screen_metrics.h"
#include "host/win32/system_functions.h"
#include "host/win32/wide_text.h"

namespace host::win32 {

namespace {

constexpr DWORD dialogStyle = backend::dialogWindowStyle;
constexpr DWORD dialogExStyle = WS_EX_TOOLWINDOW;

LRESULT CALLBACK dialogProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Systems before per-monitor DPI give the frame the system's one size.
void addFrame(RECT& client, int dpi) {
    const auto forDpi = system_functions::adjustWindowRectExForDpi();
    if (!forDpi || !forDpi(&client, dialogStyle, FALSE, dialogExStyle, UINT(dpi))) {
        AdjustWindowRectEx(&client, dialogStyle, FALSE, dialogExStyle);
    }
}

// Registered with the first dialog. The message loop asks of every message
// whether it is for a dialog, and a full-screen run must not load the
// common controls to answer no.
ATOM registeredDialogClass = 0;

// A private dialog class: the dialog manager (default button, focus kept
// across activations, Tab order) works on it, while the window itself is
// sized in pixels from twips and placed by the window manager.
ATOM dialogClass() {
    if (registeredDialogClass) return registeredDialogClass;
    // Loads the common controls the manifest names, so buttons and scroll
    // bars wear the visual style of the running system.
    if (const auto initCommonControls = system_functions::initCommonControlsEx()) {
        const INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
        initCommonControls(&controls);
    }
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = dialogProcedure;
    windowClass.cbWndExtra = DLGWINDOWEXTRA;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    windowClass.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    static const std::wstring name = widen(backend::dialogWindowClass);
    windowClass.lpszClassName = name.c_str();
    registeredDialogClass = RegisterClassExW(&windowClass);
    return registeredDialogClass;
}

bool isDialogWindow(HWND window) {
    return window && registeredDialogClass && GetClassLongPtrW(window, GCW_ATOM) == registeredDialogClass;
}

std::optional<backend::ScrollAction> scrollAction(int request) {
    using backend::ScrollAction;
    switch (request) {
        case SB_LINELEFT: return ScrollAction::LineLeft;
        case SB_LINERIGHT: return ScrollAction::LineRight;
        case SB_PAGELEFT: return ScrollAction::PageLeft;
        case SB_PAGERIGHT: return ScrollAction::PageRight;
        case SB_LEFT: return ScrollAction::ToStart;
        case SB_RIGHT: return ScrollAction::ToEnd;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION: return ScrollAction::ToThumb;
        default: return std::nullopt;  // SB_ENDSCROLL: the move is already done
    }
}

class DialogWindow final : public backend::DialogWindow {
public:
    DialogWindow(const backend::DialogDesign& design, backend::DialogEvents& events) : events_(events) {
        window_ = CreateWindowExW(dialogExStyle, reinterpret_cast<LPCWSTR>(std::uintptr_t(dialogClass())),
                                  widen(design.caption).c_str(), dialogStyle, CW_USEDEFAULT, CW_USEDEFAULT, 0, 0,
                                  nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
        controls_ = std::make_unique<DialogControls>(design, window_);
        dpi_ = windowDpi(window_);
        SetWindowLongPtrW(window_, GWLP_USERDATA, LONG_PTR(this));
    }

    ~DialogWindow() override {
        modalOwner_.giveBack();
        // Messages sent while the window goes away must not reach this object.
        SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
        DestroyWindow(window_);
    }

    std::intptr_t handle() const override { return std::intptr_t(window_); }

    void setCaption(const std::string& caption) override { SetWindowTextW(window_, widen(caption).c_str()); }

    void show() override {
        ShowWindow(window_, SW_SHOW);
        SetForegroundWindow(window_);
        if (HWND first = controls_->firstTabStop()) SendMessageW(window_, WM_NEXTDLGCTL, WPARAM(first), TRUE);
    }

    void bringToFront() override { SetForegroundWindow(window_); }

    void takeOwner(std::intptr_t owner) override { modalOwner_.take(window_, reinterpret_cast<HWND>(owner)); }

    void hide() override { ShowWindow(window_, SW_HIDE); }

    PixelSize windowPixels() const override {
        RECT bounds{};
        GetWindowRect(window_, &bounds);
        return {bounds.right - bounds.left, bounds.bottom - bounds.top};
    }

    PixelSize clientPixels() const override {
        RECT client{};
        GetClientRect(window_, &client);
        return {client.right, client.bottom};
    }

    int dpi() const override { return dpi_; }

    bool isChild() const override { return false; }

    backend::TextExtent captionRoom(backend::ControlKind kind, const std::string& caption,
                                    const Font& font) const override {
        return controls_->captionRoom(kind, caption, font, dpi());
    }

    int emPixels(const Font& font) const override { return controls_->emPixels(font, dpi()); }

    // The client area as given; the frame comes on top of that.
    void arrange(const backend::DialogArrangement& arrangement) override {
        controls_->arrange(arrangement, dpi());
        RECT bounds{0, 0, arrangement.client.width, arrangement.client.height};
        addFrame(bounds, dpi());
        SetWindowPos(window_, nullptr, 0, 0, bounds.right - bounds.left, bounds.bottom - bounds.top,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    }

    void moveTo(int left, int top) override {
        SetWindowPos(window_, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }

    void setValue(backend::ControlId control, int value) override { controls_->setValue(control, value); }

    std::optional<LRESULT> handleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    std::optional<LRESULT> handleLookMessage(UINT message, WPARAM wParam, LPARAM lParam);

private:
    backend::DialogEvents& events_;
    HWND window_ = nullptr;
    // As the system last reported it with WM_DPICHANGED.
    int dpi_ = 96;
    std::unique_ptr<DialogControls> controls_;
    ModalOwner modalOwner_;
};

// Every report may unload the form, which destroys this window and this
// object: after one nothing here is touched again.
std::optional<LRESULT> DialogWindow::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND: {
            if (HIWORD(wParam) != BN_CLICKED) return std::nullopt;
            // IDCANCEL: Esc, as the dialog manager reports it. A check box
            // clicks as a button does; Enter on one comes as the default
            // button's id.
            if (LOWORD(wParam) == IDCANCEL) {
                events_.cancelAsked();
            } else if (const auto button = controls_->controlOfCommand(LOWORD(wParam))) {
                events_.buttonPressed(*button);
            }
            return 0;
        }
        case WM_HSCROLL: {
            const std::optional<backend::ControlId> bar = controls_->controlOf(HWND(lParam));
            if (!bar) return std::nullopt;
            if (const auto action = scrollAction(LOWORD(wParam)))
                events_.scrollRequested(*bar, {*action, std::int16_t(HIWORD(wParam))});
            return 0;
        }
        case WM_CLOSE:
            events_.closeAsked();
            return 0;
        case WM_ACTIVATE: {
            // The dialog manager first puts the focus back where it was.
            const LRESULT result = DefDlgProcW(window_, message, wParam, lParam);
            if (LOWORD(wParam) == WA_INACTIVE) {
                events_.deactivated();
            } else if (IsWindowVisible(window_)) {
                events_.activated();
            }
            return result;
        }
        default: return std::nullopt;
    }
}

// Colours, text size and DPI: the system's settings, followed while open.
std::optional<LRESULT> DialogWindow::handleLookMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_ERASEBKGND: controls_->paintFace(window_, HDC(wParam)); return 1;
        case WM_CTLCOLORSTATIC:
            if (auto brush = controls_->labelColors(HWND(lParam), HDC(wParam))) return LRESULT(*brush);
            return std::nullopt;
        case WM_DPICHANGED: {
            // Where the system suggests, dragged across monitors; the size
            // comes with the core's new arrangement.
            const RECT& suggested = *reinterpret_cast<const RECT*>(lParam);
            dpi_ = int(HIWORD(wParam));
            moveTo(suggested.left, suggested.top);
            events_.dpiChanged();
            return 0;
        }
        case WM_SETTINGCHANGE:
        case WM_SYSCOLORCHANGE:
        case WM_THEMECHANGED:
            // High contrast, the colours or the message font may have changed.
            events_.lookChanged();
            return 0;
        default: return std::nullopt;
    }
}

LRESULT CALLBACK dialogProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    // Nothing may unwind through the system's code that called us.
    try {
        if (auto* dialog = reinterpret_cast<DialogWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA))) {
            if (auto result = dialog->handleLookMessage(message, wParam, lParam)) return *result;
            if (auto result = dialog->handleMessage(message, wParam, lParam)) return *result;
        }
        return DefDlgProcW(window, message, wParam, lParam);
    } catch (const std::exception& failure) {
        reportUnexpectedFailure(failure);
    }
}

}  // namespace

}  // namespace host::win32

namespace host::backend {

std::unique_ptr<DialogWindow> createDialogWindow(const DialogDesign& design, DialogEvents& events) {
    return std::make_unique<win32::DialogWindow>(design, events);
}

}  // namespace host::backend

namespace host::win32 {

bool translateDialogMessage(MSG& message) {
    HWND dialog = message.hwnd ? GetAncestor(message.hwnd, GA_ROOT) : nullptr;
    return isDialogWindow(dialog) && IsDialogMessageW(dialog, &message);
}

}  // namespace host::win32
