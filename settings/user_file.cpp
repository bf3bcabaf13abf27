#include "settings/user_file.h"

#include "host/app.h"
#include "host/error.h"
#include "host/sequential_file.h"

namespace settings {

// The screen saver is started from whatever directory the desktop chooses,
// often one the user cannot write, so what the user chooses lives with them.
std::filesystem::path PerUserFile(const std::string& name) {
    const std::filesystem::path folder = host::UserSettingsFolder();
    return folder.empty() ? std::filesystem::path() : folder / name;
}

std::filesystem::path PerUserFileToWrite(const std::string& name) {
    const std::filesystem::path target = PerUserFile(name);
    if (target.empty()) {
        host::raise(host::ErrorNumber::PathFileAccessError,
                    "Path/File access error: cannot write '" + name +
                        "': the system names no folder for this user's settings");
    }
    host::CreateFolder(target.parent_path());
    return target;
}

}  // namespace settings
