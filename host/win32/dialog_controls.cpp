#include "host/win32/dialog_controls.h"

#include "host/win32/focus_cue.h"
#include "host/win32/gdi_drawing.h"
#include "host/win32/wide_text.h"

namespace host::win32 {

namespace {

using backend::ControlKind;

// Child window ids: clear of IDOK and IDCANCEL, which the dialog manager
// sends for Enter and Esc.
constexpr int firstControlId = 100;

// What a static control does with its text: left aligned, wrapped at words,
// "&" marking an access key.
constexpr UINT labelTextFormat = DT_LEFT | DT_WORDBREAK | DT_EXPANDTABS;

COLORREF colorRef(Color color) { return COLORREF(color.bgr); }

// The room a push button's edges and focus rectangle take from its caption
// on each side.
int buttonMargin(int dpi) { return 2 * MulDiv(GetSystemMetrics(SM_CXEDGE), dpi, 96) + 1; }

// The room a check box's box, the gap after it and its focus rectangle take
// beside its caption: the box 13 pixels at 96 DPI and the focus rectangle 2;
// the gap is half a digit of the font, and a whole digit leaves room for
// the system's rounding.
int checkBoxMargin(HDC dc, HFONT font, int dpi) {
    return MulDiv(13 + 2, dpi, 96) + int(gdiTextSize(dc, font, L"0").cx);
}

// What a caption needs beside its text in a control of that kind.
int captionMargin(ControlKind kind, HDC dc, HFONT font, int dpi) {
    switch (kind) {
        case ControlKind::Button: return 2 * buttonMargin(dpi);
        case ControlKind::CheckBox: return checkBoxMargin(dc, font, dpi);
        default: return 0;
    }
}

// Where the design lets neighbours overlap by a pixel, the one earlier in
// the window order shows, whichever paints last.
HWND createChild(HWND dialog, const wchar_t* className, const std::string& text, DWORD style, int id) {
    return CreateWindowExW(0, className, widen(text).c_str(), WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | style, 0, 0,
                           0, 0, dialog, reinterpret_cast<HMENU>(INT_PTR(id)), GetModuleHandleW(nullptr), nullptr);
}

HWND createControl(HWND dialog, const backend::ControlDesign& design, int id, const Color* focusCue) {
    switch (design.kind) {
        case ControlKind::FaceText: return nullptr;
        case ControlKind::Label: return createChild(dialog, L"STATIC", design.caption, SS_LEFT, id);
        case ControlKind::ScrollBar: {
            HWND bar = createChild(dialog, L"SCROLLBAR", {}, SBS_HORZ | WS_TABSTOP, id);
            SetScrollRange(bar, SB_CTL, design.min, design.max, FALSE);
            SetScrollPos(bar, SB_CTL, design.value, FALSE);
            addFocusCue(bar, focusCue);
            return bar;
        }
        case ControlKind::Button: {
            const DWORD kind = design.role == backend::ButtonRole::Default ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
            HWND button = createChild(dialog, L"BUTTON", design.caption, kind | WS_TABSTOP, id);
            if (design.role == backend::ButtonRole::Default) SendMessageW(dialog, DM_SETDEFID, WPARAM(id), 0);
            return button;
        }
        case ControlKind::CheckBox: {
            // Not an automatic one: a click only reports, and the tick shows
            // what the core decides.
            HWND box = createChild(dialog, L"BUTTON", design.caption, BS_CHECKBOX | WS_TABSTOP, id);
            SendMessageW(box, BM_SETCHECK, design.value ? BST_CHECKED : BST_UNCHECKED, 0);
            return box;
        }
    }
    return nullptr;
}

}  // namespace

DialogControls::DialogControls(const backend::DialogDesign& design, HWND dialog) : dialog_(dialog) {
    for (const backend::ControlDesign& control : design.controls) {
        const int id = firstControlId + int(controls_.size());
        controls_.push_back({control, widen(control.caption), createControl(dialog, control, id, &focusCue_), {}});
    }
}

DialogControls::~DialogControls() {
    for (const auto& [color, brush] : brushes_) DeleteObject(brush);
    if (font_) DeleteObject(font_);
}

backend::TextExtent DialogControls::captionRoom(ControlKind kind, const std::string& caption, const Font& font,
                                                int dpi) const {
    HFONT measuring = createFont(font, dpi);
    HDC screen = GetDC(nullptr);
    const SIZE size = gdiTextSize(screen, measuring, widen(caption));
    const int margin = captionMargin(kind, screen, measuring, dpi);
    ReleaseDC(nullptr, screen);
    DeleteObject(measuring);
    return {int(size.cx) + margin, int(size.cy)};
}

int DialogControls::emPixels(const Font& font, int dpi) const {
    HFONT measuring = createFont(font, dpi);
    HDC screen = GetDC(nullptr);
    HGDIOBJ before = SelectObject(screen, measuring);
    TEXTMETRICW metrics{};
    GetTextMetricsW(screen, &metrics);
    SelectObject(screen, before);
    ReleaseDC(nullptr, screen);
    DeleteObject(measuring);
    return int(metrics.tmHeight - metrics.tmInternalLeading);
}

void DialogControls::arrange(const backend::DialogArrangement& arrangement, int dpi) {
    HFONT previous = font_;
    font_ = createFont(arrangement.font, dpi);
    face_ = arrangement.face;
    focusCue_ = arrangement.focusCue;
    for (const auto& [color, brush] : brushes_) DeleteObject(brush);
    brushes_.clear();
    for (std::size_t id = 0; id < controls_.size() && id < arrangement.controls.size(); ++id) {
        Native& control = controls_[id];
        control.place = arrangement.controls[id];
        if (!control.window) continue;
        const PixelRect& r = control.place.rect;
        SetWindowPos(control.window, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        SendMessageW(control.window, WM_SETFONT, WPARAM(font_), TRUE);
    }
    if (previous) DeleteObject(previous);
}

void DialogControls::setValue(backend::ControlId id, int value) {
    if (id < 0 || std::size_t(id) >= controls_.size()) return;
    HWND window = controls_[std::size_t(id)].window;
    if (!window) return;
    switch (controls_[std::size_t(id)].design.kind) {
        case ControlKind::ScrollBar:
            SetScrollPos(window, SB_CTL, value, TRUE);
            refreshFocusCue(window, focusCue_);
            break;
        case ControlKind::CheckBox: SendMessageW(window, BM_SETCHECK, value ? BST_CHECKED : BST_UNCHECKED, 0); break;
        default: break;
    }
}

HWND DialogControls::firstTabStop() const { return GetNextDlgTabItem(dialog_, nullptr, FALSE); }

std::optional<backend::ControlId> DialogControls::controlOf(HWND window) const {
    for (std::size_t id = 0; id < controls_.size(); ++id) {
        if (window && controls_[id].window == window) return backend::ControlId(id);
    }
    return std::nullopt;
}

std::optional<backend::ControlId> DialogControls::controlOfCommand(int commandId) const {
    const int id = commandId - firstControlId;
    if (id < 0 || id >= int(controls_.size())) return std::nullopt;
    return backend::ControlId(id);
}

HBRUSH DialogControls::brush(Color color) {
    for (const auto& [made, brush] : brushes_) {
        if (made == color) return brush;
    }
    brushes_.emplace_back(color, CreateSolidBrush(colorRef(color)));
    return brushes_.back().second;
}

std::optional<HBRUSH> DialogControls::labelColors(HWND window, HDC dc) {
    const std::optional<backend::ControlId> id = controlOf(window);
    if (!id) return std::nullopt;
    const ControlKind kind = controls_[std::size_t(*id)].design.kind;
    if (kind != ControlKind::Label && kind != ControlKind::CheckBox) return std::nullopt;
    const TextColors& colors = controls_[std::size_t(*id)].place.colors;
    SetTextColor(dc, colorRef(colors.text));
    SetBkColor(dc, colorRef(colors.back));
    return brush(colors.back);
}

void DialogControls::paintFace(HWND dialog, HDC dc) {
    RECT client{};
    GetClientRect(dialog, &client);
    FillRect(dc, &client, brush(face_));
    HGDIOBJ before = SelectObject(dc, font_);
    SetBkMode(dc, TRANSPARENT);
    for (const Native& control : controls_) {
        if (control.window) continue;
        const TextColors& colors = control.place.colors;
        RECT rect{control.place.rect.left, control.place.rect.top, control.place.rect.right,
                  control.place.rect.bottom};
        FillRect(dc, &rect, brush(colors.back));
        SetTextColor(dc, colorRef(colors.text));
        DrawTextW(dc, control.caption.c_str(), int(control.caption.size()), &rect, labelTextFormat);
    }
    SelectObject(dc, before);
}

}  // namespace host::win32
