#include "display/frm_cover.h"
#include "host/app.h"
#include "host/backend/user32.h"
#include "host/backend/window.h"
#include "startup/sub_main.h"

namespace startup {

// Every full-screen instance that goes on marks its cover window, so that
// any later full-screen instance finds it. The mark is set before the window
// exists: a later instance searches by class and title.
void SubMain::GuardSingleInstance() {
    if (host::PrevInstance() && host::user32::FindWindowA(host::backend::paintedWindowClass, MarkerTitle) != 0) host::End();
    frmCover().setCaption(MarkerTitle);
}

// Instances started at the same moment take turns from the search to the
// marked window's creation, so that only one of them can find no mark.
void SubMain::GuardAndLoadCover() {
    host::InInstanceTurn([this] {
        GuardSingleInstance();
        frmCover().Load();
    });
}

}  // namespace startup
