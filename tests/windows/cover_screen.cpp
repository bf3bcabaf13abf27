#include "cover_screen.h"

#include <algorithm>

namespace cover_screen {

using namespace std::chrono_literals;

namespace {

struct Rgb {
    int red, green, blue;
};
Rgb rgb(std::uint32_t pixel) { return {int(pixel >> 16) & 0xFF, int(pixel >> 8) & 0xFF, int(pixel) & 0xFF}; }

}  // namespace

bool isBallBlue(std::uint32_t pixel) {
    const Rgb c = rgb(pixel);
    return c.blue > 200 && c.red < 60 && c.green < 60;
}

bool isHandRed(std::uint32_t pixel) {
    const Rgb c = rgb(pixel);
    return c.red > 200 && c.green < 60 && c.blue < 60;
}

bool isInkBlack(std::uint32_t pixel) { return pixel == 0x000000; }

bool anyPixel(const harness::Screenshot& shot, Area area, const std::function<bool(std::uint32_t)>& wanted) {
    for (int y = std::max(area.top, 0); y < std::min(area.bottom, shot.height); ++y) {
        for (int x = std::max(area.left, 0); x < std::min(area.right, shot.width); ++x) {
            if (wanted(shot.at(x, y))) return true;
        }
    }
    return false;
}

bool cornersAreLightBlue(const harness::Screenshot& shot) {
    return shot.width > 0 && shot.at(0, 0) == lightBlue && shot.at(shot.width - 1, 0) == lightBlue &&
           shot.at(0, shot.height - 1) == lightBlue && shot.at(shot.width - 1, shot.height - 1) == lightBlue;
}

bool coversScreen(HWND window) {
    RECT placed{};
    GetWindowRect(window, &placed);
    const RECT screen{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    return EqualRect(&placed, &screen) != FALSE;
}

FullScreenRun::FullScreenRun(const std::wstring& arguments, const std::filesystem::path& directory)
    : saver(harness::start(arguments, directory)), window(harness::waitForWindow(saver.id())) {
    painted = window && harness::waitUntil([] { return cornersAreLightBlue(harness::captureScreen()); }, 10s);
}

}  // namespace cover_screen
