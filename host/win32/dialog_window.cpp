#include "host/win32/dialog_window.h"

#include <commctrl.h>

#include <optional>

#include "host/app.h"
#include "host/win32/dialog_controls.h"
#include "host/win32/modal_owner.h"
#include "host/win32/screen_metrics.h"
#include "host/win32/system_function.h"
#include "host/win32/unexpected_failure.h"
#include "host/win32/wide_text.h"

namespace host::win32 {

namespace {

constexpr DWORD dialogStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
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
    windowClass.lpszClassName = L"ZantrelleDialog";
    registeredDialogClass = RegisterClassExW(&windowClass);
    return registeredDialogClass;
}

bool isDialogWindow(HWND window) {
    return window && registeredDialogClass && GetClassLongPtrW(window, GCW_ATOM) == registeredDialogClass;
}

class DialogWindow final : public WindowPeer {
public:
    explicit DialogWindow(Form& form) : form_(form) {
        window_ = CreateWindowExW(dialogExStyle, reinterpret_cast<LPCWSTR>(std::uintptr_t(dialogClass())),
                                  widen(form.Caption()).c_str(), dialogStyle, CW_USEDEFAULT, CW_USEDEFAULT, 0, 0,
                                  nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
        controls_ = std::make_unique<DialogControls>(form, window_);
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

    void showOwnedBy(std::intptr_t owner) override {
        modalOwner_.take(window_, reinterpret_cast<HWND>(owner));
        show();
    }

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

    PixelScale scale() const override {
        const int dpi = windowDpi(window_);
        return PixelScale::fromDpi(dpi, dpi);
    }

    DrawingLayer* drawingLayer() override { return nullptr; }

    std::optional<LRESULT> handleMessage(UINT message, WPARAM wParam, LPARAM lParam);

private:
    // The client area is the form's size in twips at the monitor's DPI; the
    // frame comes on top of that.
    void fitToDpi(int dpi, std::optional<POINT> topLeft) {
        const TwipSize client = form_.design().clientSize;
        const PixelScale scale = PixelScale::fromDpi(dpi, dpi);
        RECT bounds{0, 0, twipsToPixels(client.width, scale.twipsPerPixelX),
                    twipsToPixels(client.height, scale.twipsPerPixelY)};
        addFrame(bounds, dpi);
        UINT flags = SWP_NOZORDER | SWP_NOACTIVATE;
        if (!topLeft) flags |= SWP_NOMOVE;
        const POINT at = topLeft.value_or(POINT{});
        SetWindowPos(window_, nullptr, at.x, at.y, bounds.right - bounds.left, bounds.bottom - bounds.top, flags);
        controls_->layout(dpi);
    }

    Form& form_;
    HWND window_ = nullptr;
    std::unique_ptr<DialogControls> controls_;
    ModalOwner modalOwner_;
};

// Every handler the form runs may unload it, which destroys this window and
// this object: after runEvent nothing here is touched again.
std::optional<LRESULT> DialogWindow::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    Form& form = form_;
    switch (message) {
        case WM_COMMAND: {
            if (HIWORD(wParam) != BN_CLICKED) return std::nullopt;
            const CommandButton* button = controls_->buttonFor(LOWORD(wParam));
            if (button && button->onClick) runEvent(button->onClick);
            return 0;
        }
        case WM_HSCROLL:
            if (!controls_->scroll(HWND(lParam), LOWORD(wParam), std::int16_t(HIWORD(wParam)))) return std::nullopt;
            return 0;
        case WM_CTLCOLORSTATIC:
            if (auto brush = controls_->labelBackground(HWND(lParam), HDC(wParam))) return LRESULT(*brush);
            return std::nullopt;
        case WM_CLOSE:
            // The close box unloads the form like code would; no button runs.
            runEvent([&form] { form.Unload(); });
            return 0;
        case WM_ACTIVATE: {
            // The dialog manager first puts the focus back where it was.
            const LRESULT result = DefDlgProcW(window_, message, wParam, lParam);
            if (LOWORD(wParam) != WA_INACTIVE) runEvent([&form] { form.Form_Activate(); });
            return result;
        }
        case WM_DPICHANGED: {
            const RECT& suggested = *reinterpret_cast<const RECT*>(lParam);
            fitToDpi(int(HIWORD(wParam)), POINT{suggested.left, suggested.top});
            return 0;
        }
        default: return std::nullopt;
    }
}

LRESULT CALLBACK dialogProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    // Nothing may unwind through the system's code that called us.
    try {
        if (auto* dialog = reinterpret_cast<DialogWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA))) {
            if (auto result = dialog->handleMessage(message, wParam, lParam)) return *result;
        }
        return DefDlgProcW(window, message, wParam, lParam);
    } catch (const std::exception& failure) {
        reportUnexpectedFailure(failure);
    }
}

}  // namespace

std::unique_ptr<WindowPeer> createDialogWindow(Form& form) { return std::make_unique<DialogWindow>(form); }

bool translateDialogMessage(MSG& message) {
    HWND dialog = message.hwnd ? GetAncestor(message.hwnd, GA_ROOT) : nullptr;
    return isDialogWindow(dialog) && IsDialogMessageW(dialog, &message);
}

}  // namespace host::win32
