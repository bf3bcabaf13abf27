#pragma once

// Where the program's libraries come from, and the system functions it looks
// up when first needed rather than imports: every imported library is loaded
// and initialised before the program's first line runs, and the ones only
// the settings dialog or the settings file need (the common controls, the
// shell with COM under it) cost a screen saver's start-up more than showing
// its window does. Others are missing from older systems.
//
// Every library comes from the system folder alone. Windows would look in
// the program's own folder first, and a screen saver is often run from where
// it was unpacked, a Downloads folder holding whatever else was downloaded:
// a library there named like a system one would run as the user.

#include <windows.h>

#include <commctrl.h>
#include <shellscalingapi.h>
#include <shlobj.h>
#include <wtsapi32.h>

namespace host::win32 {

// From here on, whatever loads a library by name, the program or a system
// library on its behalf, finds it in the system folder or not at all. The
// program's imports are resolved before this; each is a known library,
// which Windows only ever loads from there.
void loadLibrariesFromTheSystemFolderOnly();

// The table of them: the accessor, the library, the function. Per-monitor
// DPI from Windows 10 on (user32) and 8.1 on (shcore); the common controls
// for the settings dialog alone; the shell and COM for finding the settings
// file alone; the session's notifications for a running clock alone.
#define ZANTRELLE_SYSTEM_FUNCTIONS(X)                                                    \
    X(adjustWindowRectExForDpi, L"user32.dll", AdjustWindowRectExForDpi)                 \
    X(getDpiForWindow, L"user32.dll", GetDpiForWindow)                                   \
    X(systemParametersInfoForDpi, L"user32.dll", SystemParametersInfoForDpi)             \
    X(getDpiForMonitor, L"shcore.dll", GetDpiForMonitor)                                 \
    X(initCommonControlsEx, L"comctl32.dll", InitCommonControlsEx)                       \
    X(setWindowSubclass, L"comctl32.dll", SetWindowSubclass)                             \
    X(defSubclassProc, L"comctl32.dll", DefSubclassProc)                                 \
    X(removeWindowSubclass, L"comctl32.dll", RemoveWindowSubclass)                       \
    X(shGetKnownFolderPath, L"shell32.dll", SHGetKnownFolderPath)                        \
    X(coTaskMemFree, L"ole32.dll", CoTaskMemFree)                                        \
    X(wtsRegisterSessionNotification, L"wtsapi32.dll", WTSRegisterSessionNotification)   \
    X(wtsUnRegisterSessionNotification, L"wtsapi32.dll", WTSUnRegisterSessionNotification)

// Each returns the function, or null when the running system lacks it.
namespace system_functions {

#define ZANTRELLE_DECLARE_SYSTEM_FUNCTION(accessor, library, function) decltype(&function) accessor();
ZANTRELLE_SYSTEM_FUNCTIONS(ZANTRELLE_DECLARE_SYSTEM_FUNCTION)
#undef ZANTRELLE_DECLARE_SYSTEM_FUNCTION

}  // namespace system_functions

}  // namespace host::win32
