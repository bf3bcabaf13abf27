#include <windows.h>

#include <knownfolders.h>
#include <shlobj.h>

#include "host/backend/files.h"
#include "host/win32/system_function.h"

namespace host::backend {

namespace {

using SHGetKnownFolderPathFunction = HRESULT(WINAPI*)(REFKNOWNFOLDERID, DWORD, HANDLE, PWSTR*);
using CoTaskMemFreeFunction = void(WINAPI*)(LPVOID);

}  // namespace

// The roaming application-data folder, asked of the shell rather than read
// from %APPDATA%: a screen saver started by the system may see an
// environment that is not the user's.
std::filesystem::path userSettingsFolder() {
    static const auto knownFolderPath =
        win32::systemFunction<SHGetKnownFolderPathFunction>(L"shell32.dll", "SHGetKnownFolderPath");
    static const auto freeTaskMemory = win32::systemFunction<CoTaskMemFreeFunction>(L"ole32.dll", "CoTaskMemFree");
    PWSTR roaming = nullptr;
    std::filesystem::path folder;
    if (!knownFolderPath || !freeTaskMemory) return folder;
    if (SUCCEEDED(knownFolderPath(FOLDERID_RoamingAppData, KF_FLAG_DEFAULT, nullptr, &roaming)))
        folder = std::filesystem::path(roaming) / L"Zantrelle";
    freeTaskMemory(roaming);
    return folder;
}

}  // namespace host::backend
