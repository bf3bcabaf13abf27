#include "display/frm_cover.h"
#include "host/app.h"
#include "host/backend/user32.h"
#include "startup/sub_main.h"

namespace startup {

namespace {
// The platform's own code for a window handle that names no window.
constexpr int exitPreviewPaneMissing = 1400;
}  // namespace

void EmbedInPreview(display::FrmCover& frmCover, const std::string& commandText) {
    using namespace host::user32;

    const HWND preview = ParseWindowHandle(commandText);
    // A pane that is gone (or never was) would leave an invisible process
    // ticking forever: end before any window exists.
    if (!IsWindow(preview)) host::End(exitPreviewPaneMissing);

    RECT previewRect;
    GetClientRect(preview, previewRect);

    frmCover.Load();
    frmCover.setCaption(PreviewCaption);

    LONG style = GetWindowLongA(frmCover.hWnd(), GWL_STYLE);
    style |= WS_CHILD;
    SetWindowLongA(frmCover.hWnd(), GWL_STYLE, style);
    SetParent(frmCover.hWnd(), preview);
    SetWindowLongA(frmCover.hWnd(), GWL_HWNDPARENT, LONG(preview));
    SetWindowPos(frmCover.hWnd(), HWND_TOP, 0, 0, previewRect.right, previewRect.bottom,
                 SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    // A pane closed while we planted ourselves in it took no child with it:
    // the cover window would live on alone, so end as if it had never been.
    if (!IsWindow(preview)) host::End(exitPreviewPaneMissing);
}

}  // namespace startup
