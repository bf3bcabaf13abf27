#include "startup/sub_main.h"

namespace startup {

RunMode RunModeFor(std::string_view switchKey) {
    if (switchKey == "/C") return ModeConfigure;
    if (switchKey == "") return ModeSaver;
    if (switchKey == "/S") return ModeSaver;
    if (switchKey == "/P") return ModePreview;
    // Whatever the desktop or a user passes that we do not know runs the saver.
    return ModeSaver;
}

}  // namespace startup
