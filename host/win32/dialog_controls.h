#pragma once

#include <windows.h>

#include <optional>
#include <vector>

#include "host/backend/dialog.h"

namespace host::win32 {

// The native child controls of a dialog window, one per label, scroll bar,
// button and check box of its design, created in the design's order, and
// the texts the dialog paints on its face.
class DialogControls {
public:
    DialogControls(const backend::DialogDesign& design, HWND dialog);
    ~DialogControls();
    DialogControls(const DialogControls&) = delete;
    DialogControls& operator=(const DialogControls&) = delete;

    backend::TextExtent captionRoom(backend::ControlKind kind, const std::string& caption, const Font& font,
                                    int dpi) const;
    int emPixels(const Font& font, int dpi) const;
    // Places every control and gives it the font and its colours.
    void arrange(const backend::DialogArrangement& arrangement, int dpi);
    // A scroll bar's thumb, a check box's tick.
    void setValue(backend::ControlId id, int value);

    // The control that holds the focus when the dialog opens.
    HWND firstTabStop() const;
    // The control a child window or a command id stands for.
    std::optional<backend::ControlId> controlOf(HWND window) const;
    std::optional<backend::ControlId> controlOfCommand(int commandId) const;

    // WM_CTLCOLORSTATIC: sets a label's or a check box's colours on its DC
    // and returns its background brush; nothing for a window that is not one
    // of ours that shows text.
    std::optional<HBRUSH> labelColors(HWND label, HDC dc);
    // WM_ERASEBKGND: the dialog's face with its texts painted on it.
    void paintFace(HWND dialog, HDC dc);

private:
    struct Native {
        backend::ControlDesign design;
        std::wstring caption;
        HWND window;  // null: painted on the face
        backend::ControlPlace place;
    };

    HBRUSH brush(Color color);

    HWND dialog_;
    HFONT font_ = nullptr;
    Color face_;
    Color focusCue_;
    std::vector<std::pair<Color, HBRUSH>> brushes_;
    std::vector<Native> controls_;  // by id
};

}  // namespace host::win32
