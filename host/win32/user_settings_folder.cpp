#include <windows.h>

#include <knownfolders.h>

#include "host/backend/files.h"
#include "host/win32/system_functions.h"

namespace host::backend {

// The roaming application-data folder, asked of the shell rather than read
// from %APPDATA%: a screen saver started by the system may see an
// environment that is not the user's.
std::filesystem::path userSettingsFolder() {
    const auto knownFolderPath = win32::system_functions::shGetKnownFolderPath();
    const auto freeTaskMemory = win32::system_functions::coTaskMemFree();
    PWSTR roaming = nullptr;
    std::filesystem::path folder;
    if (!knownFolderPath || !freeTaskMemory) return folder;
    if (SUCCEEDED(knownFolderPath(FOLDERID_RoamingAppData, KF_FLAG_DEFAULT, nullptr, &roaming)))
        folder = std::filesystem::path(roaming) / L"Zantrelle";
    freeTaskMemory(roaming);
    return folder;
}

}  // namespace host::backend
