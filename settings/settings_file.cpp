#include "settings/settings_file.h"

#include <optional>

#include "host/error.h"
#include "host/sequential_file.h"

namespace settings {

namespace {
constexpr const char* fileName = "settings.ini";
constexpr std::int16_t defaultGap = 5;
constexpr std::int16_t defaultSpeed = 150;
}  // namespace

void ReadSettings(host::Variant& first, host::Variant& second) {
    // Each step may fail on its own (no file, too few fields); a failed step
    // leaves its slot as it was and the next step still runs.
    std::optional<host::InputFile> file;
    host::resumeNext([&] { file.emplace(fileName); });
    if (file) {
        host::resumeNext([&] { first = file->readField(); });
        host::resumeNext([&] { second = file->readField(); });
        file.reset();
    }
    if (first.equalsEmptyText()) first = defaultGap;
    if (second.equalsEmptyText()) second = defaultSpeed;
}

void WriteSettings(std::int16_t gap, std::int16_t speed) {
    host::OutputFile file(fileName);
    file.writeInteger(gap);
    file.writeInteger(speed);
    file.close();
}

}  // namespace settings
