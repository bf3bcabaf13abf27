#include "settings/settings_file.h"

#include <filesystem>
#include <optional>

#include "host/error.h"
#include "host/sequential_file.h"
#include "settings/user_file.h"

namespace settings {

namespace {

constexpr const char* fileName = "settings.ini";

// Where the settings are read from: the user's own file, or, until the
// first save makes one, a file kept in the current directory as before.
std::filesystem::path fileToRead() {
    const std::filesystem::path own = PerUserFile(fileName);
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
    host::OutputFile file(PerUserFileToWrite(fileName));
    file.writeInteger(gap);
    file.writeInteger(speed);
    file.close();
}

}  // namespace settings
