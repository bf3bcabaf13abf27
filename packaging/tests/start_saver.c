// Starts the screen saver named on the command line the way the Screen
// Saver Settings do: with /P and the handle of a preview pane, a window of
// this program's own, or with /C for its Settings dialog. Prints "shown"
// once the screen saver's window is there (planted in the pane, or the
// dialog), and ends when the screen saver does. DIALOG_WINDOW_CLASS, the
// dialog's window class as a wide string, comes from the command line.
#include <stdio.h>
#include <wchar.h>
#include <windows.h>

static BOOL shown(HWND pane) {
    return pane ? GetWindow(pane, GW_CHILD) != NULL : FindWindowW(DIALOG_WINDOW_CLASS, NULL) != NULL;
}

int wmain(int argc, wchar_t** argv) {
    if (argc != 3 || (wcscmp(argv[2], L"/P") && wcscmp(argv[2], L"/C"))) return 2;
    HWND pane = NULL;
    wchar_t command[MAX_PATH + 64];
    if (!wcscmp(argv[2], L"/P")) {
        pane = CreateWindowW(L"STATIC", L"Preview pane", WS_OVERLAPPED | WS_VISIBLE, 40, 40, 152, 112, NULL, NULL,
                             NULL, NULL);
        swprintf(command, sizeof command / sizeof *command, L"\"%ls\" /P %llu", argv[1],
                 (unsigned long long)(UINT_PTR)pane);
    } else {
        swprintf(command, sizeof command / sizeof *command, L"\"%ls\" /C", argv[1]);
    }
    STARTUPINFOW startup = {sizeof startup};
    PROCESS_INFORMATION process;
    if (!CreateProcessW(NULL, command, NULL, NULL, FALSE, 0, NULL, NULL, &startup, &process)) return 1;
    BOOL reported = FALSE;
    while (MsgWaitForMultipleObjects(1, &process.hProcess, FALSE, 100, QS_ALLINPUT) != WAIT_OBJECT_0) {
        MSG message;
        while (PeekMessageW(&message, NULL, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
        if (!reported && shown(pane)) {
            reported = TRUE;
            puts("shown");
            fflush(stdout);
        }
    }
    return 0;
}
