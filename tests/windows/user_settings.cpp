#include "user_settings.h"

#include <windows.h>

#include <knownfolders.h>
#include <shlobj.h>

#include <stdexcept>

#include "harness.h"

namespace harness {

UserSettings::UserSettings() {
    PWSTR roaming = nullptr;
    if (FAILED(SHGetKnownFolderPath(FOLDERID_RoamingAppData, KF_FLAG_DEFAULT, nullptr, &roaming)))
        throw std::runtime_error("the shell names no roaming application-data folder");
    folder_ = std::filesystem::path(roaming) / L"Zantrelle";
    CoTaskMemFree(roaming);
    remove();
}

UserSettings::~UserSettings() { remove(); }

void UserSettings::write(const std::string& bytes) const {
    std::filesystem::create_directories(folder_);
    writeFile(file(), bytes);
}

void UserSettings::remove() const {
    std::error_code ignored;
    SetFileAttributesW(file().c_str(), FILE_ATTRIBUTE_NORMAL);
    std::filesystem::remove_all(folder_, ignored);
}

}  // namespace harness
