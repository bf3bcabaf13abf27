#pragma once

#include <cstdint>

namespace startup {

// The run mode of this instance, fixed once by Main before any form loads.
enum RunMode : std::int16_t {
    ModeConfigure = 1,
    ModeSaver = 2,
    ModePreview = 3,
};

}  // namespace startup
