#include "host/app.h"

#include <algorithm>
#include <cctype>

#include "host/error.h"
#include "host/platform.h"

namespace host {

namespace {
int loadedForms = 0;
}

bool PrevInstance() { return platform::previousInstanceRunning(); }

InstanceTurn::InstanceTurn() { platform::beginInstanceTurn(); }

InstanceTurn::~InstanceTurn() { platform::endInstanceTurn(); }

std::string Command() { return platform::commandLineArguments(); }

float SecondsSinceMidnight() { return platform::secondsSinceMidnight(); }

std::filesystem::path UserSettingsFolder() { return platform::userSettingsFolder(); }

void End() { platform::endProgram(0); }

void End(int exitCode) { platform::endProgram(exitCode); }

void runEvent(const std::function<void()>& handler) {
    try {
        handler();
    } catch (const RuntimeError& error) {
        platform::reportUnhandledError(error);
    }
}

void formLoaded() { ++loadedForms; }

void formUnloaded() {
    if (--loadedForms == 0) platform::lastFormUnloaded();
}

int loadedFormCount() { return loadedForms; }

std::string TrimSpaces(std::string_view text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    const auto last = text.find_last_not_of(' ');
    return std::string(text.substr(first, last - first + 1));
}

std::string UpperCase(std::string_view text) {
    std::string upper(text);
    std::transform(upper.begin(), upper.end(), upper.begin(), [](unsigned char c) { return char(std::toupper(c)); });
    return upper;
}

}  // namespace host
