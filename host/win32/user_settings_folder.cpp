#include <windows.h>

#include <knownfolders.h>
#include <shlobj.h>

#include "host/backend/files.h"

namespace host::backend {

// The roaming application-data folder, asked of the shell rather than read
// from %APPDATA%: a screen saver started by the system may see an
// environment that is not the user's.
std::filesystem::path userSettingsFolder() {
    PWSTR roaming = nullptr;
    std::filesystem::path folder;
    if (SUCCEEDED(SHGetKnownFolderPath(FOLDERID_RoamingAppData, KF_FLAG_DEFAULT, nullptr, &roaming)))
        folder = std::filesystem::path(roaming) / L"Zantrelle";
    CoTaskMemFree(roaming);
    return folder;
}

}  // namespace host::backend
