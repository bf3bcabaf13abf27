#pragma once

#include <filesystem>

#include "host/render/render.h"

namespace host::headless {

// Writes the image as a compressed 8-bit RGB PNG. False when the image is
// empty or the file cannot be written.
bool writePng(const std::filesystem::path& path, const render::Image& image);

}  // namespace host::headless
