#pragma once

#include <filesystem>

#include "host/render/render.h"

namespace host::headless {

// Writes the image as an 8-bit RGB PNG. The pixel data is stored, not
// compressed: frames are written for a person or a test to look at, and
// this keeps the writer small. False when the file cannot be written.
bool writePng(const std::filesystem::path& path, const render::Image& image);

}  // namespace host::headless
