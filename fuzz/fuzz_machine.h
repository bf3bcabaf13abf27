#pragma once

// What the whole-program fuzzers share: a headless machine with a current
// directory and a user settings folder of its own, so no input reads or
// writes a settings file outside them, and a check that ends the run.

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "host/headless/headless.h"

namespace fuzz {

inline void check(bool condition) {
    if (!condition) std::abort();
}

// The scratch current directory for the time one input runs: the fuzzer's
// own (where relative corpus paths lead) is back afterwards.
class InScratch {
public:
    explicit InScratch(const std::filesystem::path& scratch) : previous_(std::filesystem::current_path()) {
        std::filesystem::current_path(scratch);
    }
    ~InScratch() { std::filesystem::current_path(previous_); }
    InScratch(const InScratch&) = delete;
    InScratch& operator=(const InScratch&) = delete;

private:
    std::filesystem::path previous_;
};

// Created once per fuzzing process; every input starts from reset().
class FuzzMachine {
public:
    FuzzMachine() : root_(scratchRoot() / ("zantrelle-fuzz-" + std::to_string(::getpid()))) {
        std::filesystem::create_directories(userFolder());
    }

    ~FuzzMachine() {
        std::error_code ignored;
        std::filesystem::remove_all(root_, ignored);
    }

    FuzzMachine(const FuzzMachine&) = delete;
    FuzzMachine& operator=(const FuzzMachine&) = delete;

    // A fresh machine, no settings file anywhere, and the scratch directory
    // current until the returned object goes.
    [[nodiscard]] InScratch reset() const {
        host::headless::reset();
        host::headless::setUserSettingsFolder(userFolder());
        std::error_code ignored;
        std::filesystem::remove(userFolder() / "settings.ini", ignored);
        std::filesystem::remove(root_ / "settings.ini", ignored);
        return InScratch(root_);
    }

    std::filesystem::path userFolder() const { return root_ / "user"; }
    // The current directory, where earlier versions kept the settings.
    const std::filesystem::path& currentDirectory() const { return root_; }

private:
    // Every input writes and removes files: in memory when the system has a
    // place for that, as creating files on a disk costs more than the rest.
    static std::filesystem::path scratchRoot() {
        std::error_code error;
        if (std::filesystem::is_directory("/dev/shm", error)) return "/dev/shm";
        return std::filesystem::temp_directory_path();
    }

    std::filesystem::path root_;
};

}  // namespace fuzz
