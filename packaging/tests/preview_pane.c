// The desktop's preview pane, as the tests need it: a window of its own in
// which the screen saver named on the command line is started the way the
// Screen Saver Settings start it (/P and the window's handle). Prints
// "planted" once the screen saver's window sits in the pane, and ends when
// the screen saver does.
#include <stdio.h>
#include <windows.h>

int wmain(int argc, wchar_t** argv) {
    if (argc != 2) return 2;
    HWND pane = CreateWindowW(L"STATIC", L"Preview pane", WS_OVERLAPPED | WS_VISIBLE, 40, 40, 152, 112, NULL, NULL,
                              NULL, NULL);
    wchar_t command[MAX_PATH + 64];
    swprintf(command, sizeof command / sizeof *command, L"\"%ls\" /P %llu", argv[1],
             (unsigned long long)(UINT_PTR)pane);
    STARTUPINFOW startup = {sizeof startup};
    PROCESS_INFORMATION process;
    if (!CreateProcessW(NULL, command, NULL, NULL, FALSE, 0, NULL, NULL, &startup, &process)) return 1;
    BOOL planted = FALSE;
    while (MsgWaitForMultipleObjects(1, &process.hProcess, FALSE, 100, QS_ALLINPUT) != WAIT_OBJECT_0) {
        MSG message;
        while (PeekMessageW(&message, NULL, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
        if (!planted && GetWindow(pane, GW_CHILD)) {
            planted = TRUE;
            puts("planted");
            fflush(stdout);
        }
    }
    return 0;
}
