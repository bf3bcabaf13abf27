#include "host/headless/png_reader.h"

#include <png.h>

#include <cstdint>
#include <vector>

namespace host::headless {

std::optional<render::Image> readPng(const std::filesystem::path& path) {
    png_image description{};
    description.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&description, path.c_str())) return std::nullopt;
    description.format = PNG_FORMAT_RGB;
    std::vector<std::uint8_t> rows(PNG_IMAGE_SIZE(description));
    if (!png_image_finish_read(&description, nullptr, rows.data(), 0, nullptr)) {
        png_image_free(&description);
        return std::nullopt;
    }
    render::Image image(int(description.width), int(description.height));
    const render::PixelView pixels = image.view();
    const std::uint8_t* byte = rows.data();
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x, byte += 3)
            pixels.at(x, y) = std::uint32_t(byte[0]) << 16 | std::uint32_t(byte[1]) << 8 | byte[2];
    }
    return image;
}

}  // namespace host::headless
