#include "host/win32/dialog_controls.h"

#include <algorithm>

#include "host/dialog_layout.h"
#include "host/win32/focus_cue.h"
#include "host/win32/gdi_drawing.h"
#include "host/win32/system_look.h"
#include "host/win32/wide_text.h"

namespace host::win32 {

namespace {

int clampTo(int value, int low, int high) { return std::max(low, std::min(value, high)); }

constexpr int firstButtonId = 100;

// What a static control does with its text: left aligned, wrapped at words,
// "&" marking an access key.
constexpr UINT labelTextFormat = DT_LEFT | DT_WORDBREAK | DT_EXPANDTABS;

COLORREF colorRef(Color color) { return COLORREF(color.bgr); }

// The room a push button's edges and focus rectangle take from its caption
// on each side.
int buttonMargin(int dpi) { return 2 * MulDiv(GetSystemMetrics(SM_CXEDGE), dpi, 96) + 1; }

}  // namespace

// Code that sets Value moves the native thumb through this peer.
struct DialogControls::NativeScrollBar : ControlPeer {
    NativeScrollBar(HScrollBar& bar, HWND window, const Color& cue) : bar(bar), window(window), cue(cue) {
        bar.peer = this;
    }
    ~NativeScrollBar() override { bar.peer = nullptr; }

    void valueChanged() override {
        SetScrollPos(window, SB_CTL, bar.Value(), TRUE);
        refreshFocusCue(window, cue);
    }

    HScrollBar& bar;
    HWND window;
    const Color& cue;
};

DialogControls::DialogControls(const backend::DialogDesign& design, HWND dialog) : design_(design), dialog_(dialog) {
    followSystemColors();
    const DialogOrder& order = design_.order;
    for (const DialogControl& control : order.controls) {
        std::visit([this](auto* c) { create(*c); }, control);
    }
    for (const Label* label : order.painted) {
        placed_.push_back({label->Bounds, widen(label->Caption), false, nullptr, label, {}});
    }
    for (std::size_t i = 0; i < buttons_.size(); ++i) {
        if (buttons_[i].button->Default) SendMessageW(dialog_, DM_SETDEFID, WPARAM(firstButtonId + i), 0);
    }
}

DialogControls::~DialogControls() {
    for (const auto& [color, brush] : brushes_) DeleteObject(brush);
    if (font_) DeleteObject(font_);
}

// Where the design lets neighbours overlap by a pixel, the one earlier in
// the window order shows, whichever paints last.
HWND DialogControls::createChild(const wchar_t* className, const std::string& text, DWORD style, int id) {
    return CreateWindowExW(0, className, widen(text).c_str(), WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | style, 0, 0,
                           0, 0, dialog_, reinterpret_cast<HMENU>(INT_PTR(id)), GetModuleHandleW(nullptr), nullptr);
}

void DialogControls::create(const Label& label) {
    HWND window = createChild(L"STATIC", label.Caption, SS_LEFT, -1);
    placed_.push_back({label.Bounds, widen(label.Caption), false, window, &label, {}});
}

void DialogControls::create(HScrollBar& bar) {
    HWND window = createChild(L"SCROLLBAR", {}, SBS_HORZ | WS_TABSTOP, -1);
    SetScrollRange(window, SB_CTL, bar.Min, bar.Max, FALSE);
    SetScrollPos(window, SB_CTL, bar.Value(), FALSE);
    addFocusCue(window, &focusCue_);
    scrollBars_.push_back(std::make_unique<NativeScrollBar>(bar, window, focusCue_));
    placed_.push_back({bar.Bounds, {}, false, window, nullptr, {}});
}

void DialogControls::create(const CommandButton& button) {
    const DWORD kind = button.Default ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
    HWND window = createChild(L"BUTTON", button.Caption, kind | WS_TABSTOP, firstButtonId + int(buttons_.size()));
    buttons_.push_back({&button, window});
    placed_.push_back({button.Bounds, widen(button.Caption), true, window, nullptr, {}});
}

SIZE DialogControls::layout(int dpi) {
    HFONT previous = font_;
    font_ = createFont(design_.font, dpi);

    HDC screen = GetDC(nullptr);
    HGDIOBJ before = SelectObject(screen, font_);
    TEXTMETRICW metrics{};
    GetTextMetricsW(screen, &metrics);
    SelectObject(screen, before);
    std::vector<ControlText> texts;
    for (const Placed& placed : placed_) {
        TextExtent text{};
        if (!placed.caption.empty()) {
            const SIZE size = gdiTextSize(screen, font_, placed.caption);
            const int margin = placed.framed ? 2 * buttonMargin(dpi) : 0;
            text = {int(size.cx) + margin, int(size.cy)};
        }
        texts.push_back({placed.bounds, text});
    }
    ReleaseDC(nullptr, screen);

    const DialogLayout laidOut =
        layOutDialog(design_.clientSize, texts, dpi, int(metrics.tmHeight - metrics.tmInternalLeading));
    for (std::size_t i = 0; i < placed_.size(); ++i) {
        const PixelRect& r = laidOut.controls[i];
        placed_[i].rect = {r.left, r.top, r.right, r.bottom};
        if (HWND window = placed_[i].window) {
            SetWindowPos(window, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                         SWP_NOZORDER | SWP_NOACTIVATE);
            SendMessageW(window, WM_SETFONT, WPARAM(font_), TRUE);
        }
    }
    if (previous) DeleteObject(previous);
    return {laidOut.client.width, laidOut.client.height};
}

HWND DialogControls::firstTabStop() const { return GetNextDlgTabItem(dialog_, nullptr, FALSE); }

void DialogControls::followSystemColors() {
    palette_ = systemPalette();
    focusCue_ = palette_.focusCue();
    for (const auto& [color, brush] : brushes_) DeleteObject(brush);
    brushes_.clear();
}

HBRUSH DialogControls::brush(Color color) {
    for (const auto& [made, brush] : brushes_) {
        if (made == color) return brush;
    }
    brushes_.emplace_back(color, CreateSolidBrush(colorRef(color)));
    return brushes_.back().second;
}

std::optional<HBRUSH> DialogControls::labelColors(HWND window, HDC dc) {
    for (const Placed& placed : placed_) {
        if (placed.window != window || !placed.label) continue;
        const TextColors colors = palette_.label(placed.label->BackColor);
        SetTextColor(dc, colorRef(colors.text));
        SetBkColor(dc, colorRef(colors.back));
        return brush(colors.back);
    }
    return std::nullopt;
}

void DialogControls::paintFace(HWND dialog, HDC dc) {
    RECT client{};
    GetClientRect(dialog, &client);
    FillRect(dc, &client, brush(palette_.face()));
    HGDIOBJ before = SelectObject(dc, font_);
    SetBkMode(dc, TRANSPARENT);
    for (const Placed& placed : placed_) {
        if (placed.window) continue;
        const TextColors colors = palette_.label(placed.label->BackColor);
        RECT rect = placed.rect;
        FillRect(dc, &rect, brush(colors.back));
        SetTextColor(dc, colorRef(colors.text));
        DrawTextW(dc, placed.caption.c_str(), int(placed.caption.size()), &rect, labelTextFormat);
    }
    SelectObject(dc, before);
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
        refreshFocusCue(window, focusCue_);
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
