#include "host/error.h"
#include "host/backend/user32.h"
#include "settings/frm_config.h"
#include "startup/sub_main.h"

namespace startup {

std::optional<std::int32_t> DialogOwnerHandle(const std::string& commandText) {
    // Whatever else stands behind the switch was never an error.
    std::optional<std::int32_t> handle;
    host::resumeNext([&] { handle = ParseWindowHandle(commandText); });
    return handle;
}

// The settings page passes its own window ("/c:<hwnd>") and waits for the
// dialog to end; a dialog it does not own could fall behind it and leave the
// user facing a page that does not answer. Without a window that exists the
// dialog stands alone, placed by the window manager.
void SubMain::ShowSettingsDialog(const std::string& commandText) {
    using namespace host::user32;
    const std::optional<std::int32_t> asking = DialogOwnerHandle(commandText);
    if (asking && IsWindow(*asking)) {
        frmConfig().ShowOwnedBy(GetAncestor(*asking, GA_ROOT));
    } else {
        frmConfig().Show();
    }
}

}  // namespace startup
