#include "host/app.h"

#include <new>

#include "host/error.h"
#include "host/form_window.h"
#include "host/backend/files.h"
#include "host/backend/program.h"
#include "host/backend/runtime_calls.h"
#include "host/runtime.h"

namespace host {

bool PrevInstance() { return backend::previousInstanceRunning(); }

void InInstanceTurn(const std::function<void()>& steps) {
    backend::beginInstanceTurn();
    try {
        steps();
    } catch (...) {
        backend::endInstanceTurn();
        throw;
    }
    backend::endInstanceTurn();
}

std::string Command() { return backend::commandLineArguments(); }

float SecondsSinceMidnight() { return backend::secondsSinceMidnight(); }

std::filesystem::path UserSettingsFolder() { return backend::userSettingsFolder(); }

std::vector<Monitor> Monitors() { return backend::monitors(); }

void End() { backend::endProgram(0); }

void End(int exitCode) { backend::endProgram(exitCode); }

int runProgram(const std::function<void()>& startUp) {
    return backend::runProgram([&startUp] {
        runEvent(startUp);
        return loadedFormCount() > 0;
    });
}

void runEvent(const std::function<void()>& handler) {
    try {
        handler();
    } catch (const RuntimeError& error) {
        reportUnhandledError(error);
    }
}

void reportUnhandledError(const RuntimeError& error) {
    // Nothing may tick on behind the box, nor cover it.
    suspendFormWindows();
    backend::reportUnhandledError(error);
}

void reportUnexpectedFailure(const std::exception& failure) {
    if (dynamic_cast<const std::bad_alloc*>(&failure)) reportUnhandledError(RuntimeError(ErrorNumber::OutOfMemory));
    reportUnhandledError(
        RuntimeError(ErrorNumber::InternalError, describe(ErrorNumber::InternalError) + ": " + failure.what()));
}

void formLoaded() { ++runtime().loadedForms; }

void formUnloaded() {
    if (--runtime().loadedForms == 0) backend::lastFormUnloaded();
}

int loadedFormCount() { return runtime().loadedForms; }

}  // namespace host
