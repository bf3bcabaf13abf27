#include "startup/sub_main.h"

#include "display/frm_cover.h"
#include "host/app.h"
#include "host/backend/user32.h"
#include "host/text.h"
#include "settings/frm_config.h"

namespace startup {

SubMain::SubMain() = default;
SubMain::~SubMain() = default;

display::FrmCover& SubMain::frmCover() {
    // Start-up hides the cursor only for a full-screen run.
    if (!cover_) cover_ = std::make_unique<display::FrmCover>([this] { return ActiveMode == ModeSaver; });
    return *cover_;
}

settings::FrmConfig& SubMain::frmConfig() {
    if (!config_) config_ = std::make_unique<settings::FrmConfig>();
    return *config_;
}

void SubMain::Main() {
    const std::string commandText = host::UpperCase(host::TrimSpaces(host::Command()));
    const std::string switchKey = commandText.substr(0, 2);
    ActiveMode = RunModeFor(switchKey);

    switch (ActiveMode) {
    case ModeConfigure:
        ShowSettingsDialog(commandText);
        break;
    case ModeSaver:
        GuardAndLoadCover();
        frmCover().Show();
        host::user32::ShowCursor(false);
        break;
    case ModePreview:
        EmbedInPreview(frmCover(), commandText);
        break;
    }
}

}  // namespace startup
