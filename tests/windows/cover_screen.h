#pragma once

// The cover window as a screenshot shows it: its colours, where its balls
// leave from at 1920 x 1080, and a full-screen run of the screen saver that
// waits until the window is painted.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>

#include "harness.h"

namespace cover_screen {

inline constexpr std::uint32_t lightBlue = 0x8080FF;  // the cover's background, RGB(128, 128, 255)

bool isBallBlue(std::uint32_t pixel);
bool isHandRed(std::uint32_t pixel);
bool isInkBlack(std::uint32_t pixel);

struct Area {
    int left, top, right, bottom;  // half-open
};

bool anyPixel(const harness::Screenshot& shot, Area area, const std::function<bool(std::uint32_t)>& wanted);
// The corners are the last place anything but the background would be.
bool cornersAreLightBlue(const harness::Screenshot& shot);
bool coversScreen(HWND window);

// Balls leave from the middle of a 1920 x 1080 window; they are 4 pixels across.
inline constexpr int ballOriginX = 962;
inline constexpr int ballOriginY = 542;

// Runs the screen saver full screen and waits until its window is painted.
struct FullScreenRun {
    explicit FullScreenRun(const std::wstring& arguments, const std::filesystem::path& directory = {});
    harness::Process saver;
    HWND window;
    bool painted = false;
};

}  // namespace cover_screen
