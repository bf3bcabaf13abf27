#include "settings/options_file.h"

#include <array>
#include <optional>
#include <string_view>

#include "host/error.h"
#include "host/sequential_file.h"
#include "settings/user_file.h"

namespace settings {

namespace {

constexpr const char* fileName = "options.ini";

struct Choice {
    std::string_view name;
    bool Options::*value;
};

constexpr std::array<Choice, 3> choices{{
    {"EveryMonitor", &Options::everyMonitor},
    {"Drift", &Options::drift},
    {"AnyInputEnds", &Options::anyInputEnds},
}};

const Choice* choiceNamed(std::string_view name) {
    for (const Choice& choice : choices) {
        if (choice.name == name) return &choice;
    }
    return nullptr;
}

// A line of the file as written on any system: CR LF, LF alone, or none at
// the end.
std::string_view withoutLineEnd(std::string_view line) {
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    return line;
}

void readLine(std::string_view line, Options& options) {
    if (line.empty()) return;
    const std::size_t equals = line.find('=');
    const Choice* choice = equals == std::string_view::npos ? nullptr : choiceNamed(line.substr(0, equals));
    if (!choice) {
        options.otherLines.emplace_back(line);
        return;
    }
    options.*choice->value = line.substr(equals + 1) == "1";
}

}  // namespace

Options ReadOptions() {
    Options options;
    const std::filesystem::path path = PerUserFile(fileName);
    if (path.empty()) return options;
    std::optional<host::InputFile> file;
    host::resumeNext([&] { file.emplace(path); });
    if (!file) return options;
    std::string_view text = file->text();
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        readLine(withoutLineEnd(text.substr(0, end)), options);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    }
    return options;
}

void WriteOptions(const Options& options) {
    host::OutputFile file(PerUserFileToWrite(fileName));
    // The choices come first so that they stay within what is read however
    // much the kept lines hold.
    for (const Choice& choice : choices) {
        file.writeLine(std::string(choice.name) + (options.*choice.value ? "=1" : "=0"));
    }
    for (const std::string& line : options.otherLines) file.writeLine(line);
    file.close();
}

}  // namespace settings
