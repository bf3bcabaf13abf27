#include "settings/settings_file.h"

#include <filesystem>
#include <optional>

#include "host/app.h"
#include "host/error.h"
#include "host/sequential_file.h"

namespace settings {

namespace {

constexpr const char* fileName = "settings.ini";

// The screen saver is started from whatever directory the desktop chooses,
// often one the user cannot write, so the settings live with the user.
std::filesystem::path perUserFile() {
    const std::filesystem::path folder = host::UserSettingsFolder();
    return folder.empty() ? std::filesystem::path() : folder / fileName;
}

// Where the settings are read from: the user's own file, or, until the
// first save makes one, a file kept in the current directory as before.
std::filesystem::path fileToRead() {
    const std::filesystem::path own = perUserFile();
    if (!own.empty() && host::PathExists(own)) return own;
    return fileName;
}

}  // namespace

void ReadSettings(host::Variant& first, host::Variant& second) {
    // Each step may fail on its own (no file, too few fields); a failed step
    // leaves its slot as it was and the next step still runs.
    std::optional<host::InputFile> file;
    host::resumeNext([&] { file.emplace(fileToRead()); });
    if (file) {
        host::resumeNext([&] { first = file->readField(); });
        host::resumeNext([&] { second = file->readField(); });
        file.reset();
    }
    if (first.equalsEmptyText()) first = DefaultGap;
    if (second.equalsEmptyText()) second = DefaultSpeed;
}

void WriteSettings(std::int16_t gap, std::int16_t speed) {
    const std::filesystem::path target = perUserFile();
    if (target.empty()) {
        host::raise(host::ErrorNumber::PathFileAccessError,
                    "Path/File access error: cannot write 'settings.ini': the system names no folder for this "
                    "user's settings");
    }
    host::CreateFolder(target.parent_path());
    host::OutputFile file(target);
    file.writeInteger(gap);
    file.writeInteger(speed);
    file.close();
}

}  // namespace settings
