#pragma once

#include <windows.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "host/controls.h"
#include "host/form.h"

namespace host::win32 {

// The native child controls of a dialog window, one per label, scroll bar
// and button of its form, created in TabIndex order so that the dialog
// manager's Tab order is the form's.
class DialogControls {
public:
    DialogControls(Form& form, HWND dialog);
    ~DialogControls();
    DialogControls(const DialogControls&) = delete;
    DialogControls& operator=(const DialogControls&) = delete;

    // Places every control at its twip bounds and gives it the font, both at
    // the dots per inch of the monitor the dialog is on.
    void layout(int dpi);
    HFONT font() const { return font_; }

    // The control that holds the focus when the dialog opens.
    HWND firstTabStop() const;

    // WM_CTLCOLORSTATIC: the brush of a label with its own back colour.
    std::optional<HBRUSH> labelBackground(HWND label, HDC dc) const;

    // WM_HSCROLL from a scroll bar: moves it as the request says (to the
    // thumb position while it is dragged) and tells its host control; false
    // when the scroll bar is not one of ours.
    bool scroll(HWND bar, int request, int thumbPosition);

    // WM_COMMAND: the button a command id stands for. IDCANCEL, sent for
    // Esc, stands for the form's Cancel button.
    const CommandButton* buttonFor(int commandId) const;

private:
    struct NativeLabel {
        const Label* label;
        HWND window;
        HBRUSH background;  // null: the dialog's own background
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

    Form& form_;
    HWND dialog_;
    HFONT font_ = nullptr;
    std::vector<NativeLabel> labels_;
    std::vector<std::unique_ptr<NativeScrollBar>> scrollBars_;
    std::vector<NativeButton> buttons_;
    std::vector<std::pair<HWND, TwipRect>> placements_;
};

}  // namespace host::win32
