#include "host/app.h"

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

}  // namespace host
