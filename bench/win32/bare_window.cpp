// The least a full-screen screen saver can be: one popup over the primary
// monitor in the cover's colour, painted by the system from its class
// brush, ended by a click or WM_CLOSE. The start-up and memory benchmarks
// measure the screen saver against it.

#include <windows.h>

#include "bench/win32/full_screen_popup.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    showFullScreenPopup(instance, endOnClick, L"BareWindow", L"Bare window");
    return runMessages();
}
