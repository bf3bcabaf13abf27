#include "host/win32/dialog_controls.h"

#include <algorithm>
#include <cmath>
#include <functional>

#include "host/win32/gdi_drawing.h"
#include "host/win32/wide_text.h"

namespace host::win32 {

namespace {

int clampTo(int value, int low, int high) { return std::max(low, std::min(value, high)); }

constexpr int firstButtonId = 100;

}  // namespace

// Code that sets Value moves the native thumb through this peer.
struct DialogControls::NativeScrollBar : ControlPeer {
    NativeScrollBar(HScrollBar& bar, HWND window) : bar(bar), window(window) { bar.peer = this; }
    ~NativeScrollBar() override { bar.peer = nullptr; }

    void valueChanged() override { SetScrollPos(window, SB_CTL, bar.Value(), TRUE); }

    HScrollBar& bar;
    HWND window;
};

DialogControls::DialogControls(Form& form, HWND dialog) : form_(form), dialog_(dialog) {
    struct Creation {
        int tabIndex;
        std::function<void()> create;
    };
    std::vector<Creation> creations;
    for (const Label* label : form.labels()) creations.push_back({label->TabIndex, [this, label] { create(*label); }});
    for (HScrollBar* bar : form.scrollBars()) creations.push_back({bar->TabIndex, [this, bar] { create(*bar); }});
    for (const CommandButton* button : form.buttons()) {
        creations.push_back({button->TabIndex, [this, button] { create(*button); }});
    }
    std::stable_sort(creations.begin(), creations.end(),
                     [](const Creation& a, const Creation& b) { return a.tabIndex < b.tabIndex; });
    for (const Creation& creation : creations) creation.create();

    for (std::size_t i = 0; i < buttons_.size(); ++i) {
        if (buttons_[i].button->Default) SendMessageW(dialog_, DM_SETDEFID, WPARAM(firstButtonId + i), 0);
    }
}

DialogControls::~DialogControls() {
    for (const NativeLabel& label : labels_) {
        if (label.background) DeleteObject(label.background);
    }
    if (font_) DeleteObject(font_);
}

HWND DialogControls::createChild(const wchar_t* className, const std::string& text, DWORD style, int id) {
    return CreateWindowExW(0, className, widen(text).c_str(), WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0, dialog_,
                           reinterpret_cast<HMENU>(INT_PTR(id)), GetModuleHandleW(nullptr), nullptr);
}

void DialogControls::create(const Label& label) {
    HWND window = createChild(L"STATIC", label.Caption, SS_LEFT, -1);
    labels_.push_back({&label, window, label.BackColor ? CreateSolidBrush(label.BackColor->bgr) : nullptr});
    placements_.emplace_back(window, label.Bounds);
}

void DialogControls::create(HScrollBar& bar) {
    HWND window = createChild(L"SCROLLBAR", {}, SBS_HORZ | WS_TABSTOP, -1);
    SetScrollRange(window, SB_CTL, bar.Min, bar.Max, FALSE);
    SetScrollPos(window, SB_CTL, bar.Value(), FALSE);
    scrollBars_.push_back(std::make_unique<NativeScrollBar>(bar, window));
    placements_.emplace_back(window, bar.Bounds);
}

void DialogControls::create(const CommandButton& button) {
    const DWORD kind = button.Default ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
    HWND window = createChild(L"BUTTON", button.Caption, kind | WS_TABSTOP, firstButtonId + int(buttons_.size()));
    buttons_.push_back({&button, window});
    placements_.emplace_back(window, button.Bounds);
}

void DialogControls::layout(int dpi) {
    for (const auto& [window, bounds] : placements_) {
        // Edges are rounded one by one, so controls that touch in twips
        // still touch in pixels at any DPI.
        const PixelScale scale = PixelScale::fromDpi(dpi, dpi);
        const int left = twipsToPixels(bounds.left, scale.twipsPerPixelX);
        const int top = twipsToPixels(bounds.top, scale.twipsPerPixelY);
        const int right = twipsToPixels(bounds.left + bounds.width, scale.twipsPerPixelX);
        const int bottom = twipsToPixels(bounds.top + bounds.height, scale.twipsPerPixelY);
        SetWindowPos(window, nullptr, left, top, right - left, bottom - top, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    HFONT previous = font_;
    font_ = createFont(form_.font(), dpi);
    for (const auto& placement : placements_) SendMessageW(placement.first, WM_SETFONT, WPARAM(font_), TRUE);
    if (previous) DeleteObject(previous);
}

HWND DialogControls::firstTabStop() const { return GetNextDlgTabItem(dialog_, nullptr, FALSE); }

std::optional<HBRUSH> DialogControls::labelBackground(HWND label, HDC dc) const {
    for (const NativeLabel& native : labels_) {
        if (native.window != label || !native.background) continue;
        SetBkColor(dc, native.label->BackColor->bgr);
        return native.background;
    }
    return std::nullopt;
}

bool DialogControls::scroll(HWND window, int request, int thumbPosition) {
    for (const auto& native : scrollBars_) {
        if (native->window != window) continue;
        HScrollBar& bar = native->bar;
        int target = bar.Value();
        switch (request) {
            case SB_LINELEFT: target -= bar.SmallChange; break;
            case SB_LINERIGHT: target += bar.SmallChange; break;
            case SB_PAGELEFT: target -= bar.LargeChange; break;
            case SB_PAGERIGHT: target += bar.LargeChange; break;
            case SB_LEFT: target = bar.Min; break;
            case SB_RIGHT: target = bar.Max; break;
            case SB_THUMBTRACK:
            case SB_THUMBPOSITION: target = thumbPosition; break;
            default: return true;  // SB_ENDSCROLL: the move is already done
        }
        bar.userMovedTo(std::int16_t(clampTo(target, bar.Min, bar.Max)));
        SetScrollPos(window, SB_CTL, bar.Value(), TRUE);
        return true;
    }
    return false;
}

const CommandButton* DialogControls::buttonFor(int commandId) const {
    if (commandId == IDCANCEL) {
        for (const NativeButton& native : buttons_) {
            if (native.button->Cancel) return native.button;
        }
        return nullptr;
    }
    const int index = commandId - firstButtonId;
    if (index < 0 || index >= int(buttons_.size())) return nullptr;
    return buttons_[std::size_t(index)].button;
}

}  // namespace host::win32
