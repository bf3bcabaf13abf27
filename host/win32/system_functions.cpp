#include "host/win32/system_functions.h"

namespace host::win32 {

namespace {

// A library already loaded (user32) is found as it is; another is loaded
// from the system folder, whatever the search path says.
template <typename Function>
Function systemFunction(const wchar_t* library, const char* name) {
    const HMODULE module = LoadLibraryExW(library, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    return module ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name))) : nullptr;
}

}  // namespace

void loadLibrariesFromTheSystemFolderOnly() { SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32); }

namespace system_functions {

// Per-monitor DPI, from Windows 10 on.
decltype(&AdjustWindowRectExForDpi) adjustWindowRectExForDpi() {
    static const auto function =
        systemFunction<decltype(&AdjustWindowRectExForDpi)>(L"user32.dll", "AdjustWindowRectExForDpi");
    return function;
}

decltype(&GetDpiForWindow) getDpiForWindow() {
    static const auto function = systemFunction<decltype(&GetDpiForWindow)>(L"user32.dll", "GetDpiForWindow");
    return function;
}

decltype(&SystemParametersInfoForDpi) systemParametersInfoForDpi() {
    static const auto function =
        systemFunction<decltype(&SystemParametersInfoForDpi)>(L"user32.dll", "SystemParametersInfoForDpi");
    return function;
}

// From Windows 8.1 on.
decltype(&GetDpiForMonitor) getDpiForMonitor() {
    static const auto function = systemFunction<decltype(&GetDpiForMonitor)>(L"shcore.dll", "GetDpiForMonitor");
    return function;
}

// The common controls: only the settings dialog needs them.
decltype(&InitCommonControlsEx) initCommonControlsEx() {
    static const auto function =
        systemFunction<decltype(&InitCommonControlsEx)>(L"comctl32.dll", "InitCommonControlsEx");
    return function;
}

decltype(&SetWindowSubclass) setWindowSubclass() {
    static const auto function = systemFunction<decltype(&SetWindowSubclass)>(L"comctl32.dll", "SetWindowSubclass");
    return function;
}

decltype(&DefSubclassProc) defSubclassProc() {
    static const auto function = systemFunction<decltype(&DefSubclassProc)>(L"comctl32.dll", "DefSubclassProc");
    return function;
}

decltype(&RemoveWindowSubclass) removeWindowSubclass() {
    static const auto function =
        systemFunction<decltype(&RemoveWindowSubclass)>(L"comctl32.dll", "RemoveWindowSubclass");
    return function;
}

// The shell and COM: only finding the settings file needs them.
decltype(&SHGetKnownFolderPath) shGetKnownFolderPath() {
    static const auto function =
        systemFunction<decltype(&SHGetKnownFolderPath)>(L"shell32.dll", "SHGetKnownFolderPath");
    return function;
}

decltype(&CoTaskMemFree) coTaskMemFree() {
    static const auto function = systemFunction<decltype(&CoTaskMemFree)>(L"ole32.dll", "CoTaskMemFree");
    return function;
}

// The session's notifications: only a running clock needs them.
decltype(&WTSRegisterSessionNotification) wtsRegisterSessionNotification() {
    static const auto function =
        systemFunction<decltype(&WTSRegisterSessionNotification)>(L"wtsapi32.dll", "WTSRegisterSessionNotification");
    return function;
}

decltype(&WTSUnRegisterSessionNotification) wtsUnRegisterSessionNotification() {
    static const auto function = systemFunction<decltype(&WTSUnRegisterSessionNotification)>(
        L"wtsapi32.dll", "WTSUnRegisterSessionNotification");
    return function;
}

}  // namespace system_functions

}  // namespace host::win32
