#pragma once

#include <filesystem>
#include <optional>

#include "host/render/render.h"

namespace host::headless {

// Reads a PNG of any colour type as 0x00RRGGBB pixels, translucent ones as
// laid over black; nothing when the file is missing or is no PNG.
std::optional<render::Image> readPng(const std::filesystem::path& path);

}  // namespace host::headless
