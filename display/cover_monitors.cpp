// A clock on every monitor when the user chose so; by design the clock
// shows on the primary monitor alone, the others plainly covered.
#include "display/frm_cover.h"
#include "host/app.h"
#include "host/backend/user32.h"
#include "host/monitors.h"

namespace display {

namespace {

// A clock planted in the settings page's preview pane is a picture there,
// which never spreads to the monitors.
bool planted(const host::Form& form) {
    using namespace host::user32;
    return (GetWindowLongA(form.hWnd(), GWL_STYLE) & WS_CHILD) != 0;
}

}  // namespace

void FrmCover::followMonitors() {
    const std::vector<host::Monitor> monitors = host::Monitors();
    const std::vector<host::PixelRect> others =
        EveryMonitor && !planted(*this) ? host::plainCoverRects(monitors) : std::vector<host::PixelRect>{};
    while (companions_.size() > others.size()) {
        companions_.back()->Unload();
        companions_.pop_back();
    }
    if (others.empty()) {
        CoverMonitor(std::nullopt);
        return;
    }
    CoverMonitor(host::primaryMonitor(monitors).bounds);
    for (std::size_t i = 0; i < others.size(); ++i) {
        if (i == companions_.size()) companions_.emplace_back(new FrmCover(*this));
        FrmCover& companion = *companions_[i];
        companion.CoverMonitor(others[i]);
        if (!companion.isLoaded()) companion.Show();
    }
}

// Only the clock on the primary monitor follows the monitors; it moves its
// companions with it.
void FrmCover::Form_DisplaysChanged() {
    if (!leader_) followMonitors();
}

}  // namespace display
