#pragma once

#include <windows.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "host/controls.h"
#include "host/dialog_order.h"
#include "host/dialog_palette.h"
#include "host/backend/window.h"

namespace host::win32 {

// The native child controls of a dialog window, one per scroll bar, button
// and label that names a bar, created in the dialog order (host/dialog_order.h),
// and the labels the dialog paints on its face.
class DialogControls {
public:
    DialogControls(const backend::DialogDesign& design, HWND dialog);
    ~DialogControls();
    DialogControls(const DialogControls&) = delete;
    DialogControls& operator=(const DialogControls&) = delete;

    // Places every control and gives it the desktop's message font, both at
    // the DPI, grown where that font is larger than the design assumes;
    // returns the client size the dialog needs.
    SIZE layout(int dpi);

    // The control that holds the focus when the dialog opens.
    HWND firstTabStop() const;

    // Takes the system's colours and high-contrast state as they are now.
    void followSystemColors();

    // WM_CTLCOLORSTATIC: sets a label's colours on its DC and returns its
    // background brush; nothing for a window that is not one of our labels.
    std::optional<HBRUSH> labelColors(HWND label, HDC dc);

    // WM_ERASEBKGND: the dialog's face with the labels painted on it.
    void paintFace(HWND dialog, HDC dc);

    // WM_HSCROLL from a scroll bar: moves it as the request says (to the
    // thumb position while it is dragged) and tells its host control; false
    // when the scroll bar is not one of ours.
    bool scroll(HWND bar, int request, int thumbPosition);

    // WM_COMMAND: the button a command id stands for. IDCANCEL, sent for
    // Esc, stands for the form's Cancel button.
    const CommandButton* buttonFor(int commandId) const;

private:
    // A control or a painted label, with where the last layout put it.
    struct Placed {
        TwipRect bounds;
        std::wstring caption;
        bool framed;         // a button: its frame takes room from the caption
        HWND window;         // null: painted by the dialog
        const Label* label;  // null: not a label
        RECT rect;
    };
    struct NativeScrollBar;
    struct NativeButton {
        const CommandButton* button;
        HWND window;
    };

    void create(const Label& label);
    void create(HScrollBar& bar);
    void create(const CommandButton& button);
    HWND createChild(const wchar_t* className, const std::string& text, DWORD style, int id);
    HBRUSH brush(Color color);

    const backend::DialogDesign design_;
    HWND dialog_;
    HFONT font_ = nullptr;
    DialogPalette palette_;
    Color focusCue_;
    std::vector<std::pair<Color, HBRUSH>> brushes_;
    std::vector<Placed> placed_;
    std::vector<std::unique_ptr<NativeScrollBar>> scrollBars_;
    std::vector<NativeButton> buttons_;
};

}  // namespace host::win32
