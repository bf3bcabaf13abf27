#pragma once

#include <windows.h>

#include <vector>

#include "host/form.h"

namespace host::win32 {

class CoverWindow;

// The cover windows that exist, watched four times a second while there are
// any: a window planted in another program's window can lose its parent
// without hearing of it, and a screen saver must never run on unseen.
class LiveWindows {
public:
    void add(CoverWindow* window);
    void remove(CoverWindow* window);
    bool contains(const CoverWindow* window) const;
    // The form's cover window, if it has one.
    CoverWindow* windowOf(const Form& form) const;
    std::vector<CoverWindow*> snapshot() const { return windows_; }

private:
    static void CALLBACK watch(HWND, UINT, UINT_PTR, DWORD);

    std::vector<CoverWindow*> windows_;
    UINT_PTR watchTimer_ = 0;
};

LiveWindows& liveWindows();

}  // namespace host::win32
