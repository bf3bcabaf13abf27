#include <windows.h>

#include "host/backend/program.h"
#include "host/backend/runtime_calls.h"
#include "host/win32/dialog_window.h"
#include "host/win32/system_functions.h"

namespace host::backend {

int runProgram(const std::function<bool()>& startUp) {
    // Before the program's first step, which may already load a library.
    win32::loadLibrariesFromTheSystemFolderOnly();
    try {
        // The instance mark exists from the start, whatever the mode, so a
        // later instance sees this one from its first moment.
        previousInstanceRunning();
        if (!startUp()) return 0;
        MSG message{};
        BOOL received;
        while ((received = GetMessageW(&message, nullptr, 0, 0)) > 0) {
            if (win32::translateDialogMessage(message)) continue;
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        return received == 0 ? int(message.wParam) : 1;
    } catch (const std::exception& failure) {
        reportUnexpectedFailure(failure);
    }
}

}  // namespace host::backend
