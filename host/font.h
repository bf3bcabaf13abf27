#pragma once

#include <string>

namespace host {

// A face and a size; an empty name is the desktop's message font.
struct Font {
    std::string name;
    float sizePoints = 8.25f;
};

}  // namespace host
