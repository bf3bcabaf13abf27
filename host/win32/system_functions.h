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

// Each returns the function, or null when the running system lacks it.
namespace system_functions {

decltype(&AdjustWindowRectExForDpi) adjustWindowRectExForDpi();
decltype(&GetDpiForWindow) getDpiForWindow();
decltype(&SystemParametersInfoForDpi) systemParametersInfoForDpi();

decltype(&GetDpiForMonitor) getDpiForMonitor();

decltype(&InitCommonControlsEx) initCommonControlsEx();
decltype(&SetWindowSubclass) setWindowSubclass();
decltype(&DefSubclassProc) defSubclassProc();
decltype(&RemoveWindowSubclass) removeWindowSubclass();

decltype(&SHGetKnownFolderPath) shGetKnownFolderPath();
decltype(&CoTaskMemFree) coTaskMemFree();

decltype(&WTSRegisterSessionNotification) wtsRegisterSessionNotification();
decltype(&WTSUnRegisterSessionNotification) wtsUnRegisterSessionNotification();

}  // namespace system_functions

}  // namespace host::win32
