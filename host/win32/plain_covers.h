#pragma once

#include <windows.h>

#include <functional>
#include <vector>

#include "host/geometry.h"

namespace host::win32 {

// The borderless, topmost windows of one colour that cover the monitors the
// clock does not, so what is on the other screens stays private. A click on
// any of them is the same as a click on the clock.
class PlainCovers {
public:
    PlainCovers(Color background, std::function<void()> onClick);
    ~PlainCovers();
    PlainCovers(const PlainCovers&) = delete;
    PlainCovers& operator=(const PlainCovers&) = delete;

    // One cover over exactly each rectangle: covers are added, moved or
    // removed to match the list.
    void follow(const std::vector<PixelRect>& rects);

    const std::vector<HWND>& windows() const { return windows_; }

private:
    static LRESULT CALLBACK windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT onMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    HWND create(const PixelRect& rect);

    HBRUSH brush_;
    std::function<void()> onClick_;
    std::vector<HWND> windows_;
};

}  // namespace host::win32
