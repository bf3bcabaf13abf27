#include "host/win32/dialog_window.h"

#include <commctrl.h>

#include <optional>

#include "host/backend/runtime_calls.h"
#include "host/backend/window_styles.h"
#include "host/win32/dialog_controls.h"
#include "host/win32/modal_owner.h"
#include "host/win32/screen_metrics.h"
#include "host/win32/system_function.h"
#include "host/win32/wide_text.h"

namespace host::win32 {

namespace {

constexpr DWORD dialogStyle = backend::dialogWindowStyle;
constexpr DWORD dialogExStyle = WS_EX_TOOLWINDOW;

LRESULT CALLBACK dialogProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Looked up at run time, as systems before per-monitor DPI lack it; there
// the frame has the system's one size.
using AdjustWindowRectExForDpiFunction = BOOL(WINAPI*)(LPRECT, DWORD, BOOL, DWORD, UINT);

void addFrame(RECT& client, int dpi) {
    static const auto forDpi = reinterpret_cast<AdjustWindowRectExForDpiFunction>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "AdjustWindowRectExForDpi")));
    if (!forDpi || !forDpi(&client, dialogStyle, FALSE, dialogExStyle, UINT(dpi))) {
        AdjustWindowRectEx(&client, dialogStyle, FALSE, dialogExStyle);
    }
}

using InitCommonControlsExFunction = BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*);

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
    if (const auto initCommonControls =
            systemFunction<InitCommonControlsExFunction>(L"comctl32.dll", "InitCommonControlsEx")) {
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

class DialogWindow final : public backend::NativeWindow {
public:
    DialogWindow(const backend::DialogDesign& design, backend::WindowEvents& events) : events_(events) {
        window_ = CreateWindowExW(dialogExStyle, reinterpret_cast<LPCWSTR>(std::uintptr_t(dialogClass())),
                                  widen(design.caption).c_str(), dialogStyle, CW_USEDEFAULT, CW_USEDEFAULT, 0, 0,
                                  nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
        controls_ = std::make_unique<DialogControls>(design, window_);
        SetWindowLongPtrW(window_, GWLP_USERDATA, LONG_PTR(this));
        fitToDpi(windowDpi(window_), std::nullopt);
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

    int dpi() const override { return windowDpi(window_); }

    bool isChild() const override { return false; }

    std::optional<LRESULT> handleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    std::optional<LRESULT> handleLookMessage(UINT message, WPARAM wParam, LPARAM lParam);

private:
    // The client area is the form's size in twips at the monitor's DPI,
    // grown for a larger text; the frame comes on top of that.
    void fitToDpi(int dpi, std::optional<POINT> topLeft) {
        const SIZE client = controls_->layout(dpi);
        RECT bounds{0, 0, client.cx, client.cy};
        addFrame(bounds, dpi);
        UINT flags = SWP_NOZORDER | SWP_NOACTIVATE;
        if (!topLeft) flags |= SWP_NOMOVE;
        const POINT at = topLeft.value_or(POINT{});
        SetWindowPos(window_, nullptr, at.x, at.y, bounds.right - bounds.left, bounds.bottom - bounds.top, flags);
    }

    backend::WindowEvents& events_;
    HWND window_ = nullptr;
    std::unique_ptr<DialogControls> controls_;
    ModalOwner modalOwner_;
};

// Every report may unload the form, which destroys this window and this
// object: after one nothing here is touched again.
std::optional<LRESULT> DialogWindow::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND: {
            if (HIWORD(wParam) != BN_CLICKED) return std::nullopt;
            if (const CommandButton* button = controls_->buttonFor(LOWORD(wParam))) events_.buttonClicked(*button);
            return 0;
        }
        case WM_HSCROLL:
            if (!controls_->scroll(HWND(lParam), LOWORD(wParam), std::int16_t(HIWORD(wParam)))) return std::nullopt;
            return 0;
        case WM_CLOSE:
            // The close box unloads the form like code would; no button runs.
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
            const RECT& suggested = *reinterpret_cast<const RECT*>(lParam);
            fitToDpi(int(HIWORD(wParam)), POINT{suggested.left, suggested.top});
            return 0;
        }
        case WM_SETTINGCHANGE:
        case WM_SYSCOLORCHANGE:
        case WM_THEMECHANGED:
            // High contrast, the colours or the message font may have changed.
            controls_->followSystemColors();
            fitToDpi(windowDpi(window_), std::nullopt);
            RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
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

std::unique_ptr<NativeWindow> createDialogWindow(const DialogDesign& design, WindowEvents& events) {
    return std::make_unique<win32::DialogWindow>(design, events);
}

}  // namespace host::backend

namespace host::win32 {

bool translateDialogMessage(MSG& message) {
    HWND dialog = message.hwnd ? GetAncestor(message.hwnd, GA_ROOT) : nullptr;
    return isDialogWindow(dialog) && IsDialogMessageW(dialog, &message);
}

}  // namespace host::win32
