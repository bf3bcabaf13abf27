#pragma once

#include <windows.h>

#include <vector>

#include "host/backend/window.h"
#include "host/geometry.h"

namespace host::win32 {

// The borderless, topmost windows of one colour that cover the monitors the
// clock does not, so what is on the other screens stays private. Input on
// any of them is reported as input on the clock.
class PlainCovers {
public:
    PlainCovers(Color background, backend::WindowEvents& events);
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
    backend::WindowEvents& events_;
    std::vector<HWND> windows_;
};

}  // namespace host::win32
