#include "host/headless/png_writer.h"

#include <png.h>

#include <cstdint>
#include <vector>

namespace host::headless {

bool writePng(const std::filesystem::path& path, const render::Image& image) {
    if (image.width() <= 0 || image.height() <= 0) return false;
    // 0x00RRGGBB pixels as the red, green and blue bytes a PNG row holds.
    std::vector<std::uint8_t> rows;
    rows.reserve(std::size_t(image.width()) * std::size_t(image.height()) * 3);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const std::uint32_t pixel = image.pixel(x, y);
            rows.insert(rows.end(), {std::uint8_t(pixel >> 16), std::uint8_t(pixel >> 8), std::uint8_t(pixel)});
        }
    }
    png_image description{};
    description.version = PNG_IMAGE_VERSION;
    description.width = png_uint_32(image.width());
    description.height = png_uint_32(image.height());
    description.format = PNG_FORMAT_RGB;
    const bool written = png_image_write_to_file(&description, path.c_str(), 0, rows.data(), 0, nullptr) != 0;
    png_image_free(&description);
    return written;
}

}  // namespace host::headless
