#pragma once

#include <windows.h>

#include <vector>

namespace host::win32 {

class PaintedWindow;

// The painted windows that exist, watched four times a second while there
// are any: a window planted in another program's window can lose its parent,
// or see it resized, without hearing of it, and a screen saver must never
// run on unseen.
class LiveWindows {
public:
    void add(PaintedWindow* window);
    void remove(PaintedWindow* window);
    const std::vector<PaintedWindow*>& windows() const { return windows_; }

private:
    static void CALLBACK watch(HWND, UINT, UINT_PTR, DWORD);

    std::vector<PaintedWindow*> windows_;
    UINT_PTR watchTimer_ = 0;
};

LiveWindows& liveWindows();

}  // namespace host::win32
