#pragma once

// A fresh machine, with its empty in-memory file system, for every test that
// touches "settings.ini" or "options.ini", with helpers to plant and read
// back their bytes.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "host/app.h"
#include "tests/support/headless.h"

namespace settings_test {

namespace headless = host::headless;

class SettingsDirectoryTest : public ::testing::Test {
protected:
    void SetUp() override { host::startFreshProgram(); }

    static std::filesystem::path userFolder() { return host::UserSettingsFolder(); }
    static std::filesystem::path userFile() { return userFolder() / "settings.ini"; }
    static std::filesystem::path optionsFile() { return userFolder() / "options.ini"; }

    // The user's own file, where the program reads and writes its settings.
    static void plantSettings(const std::string& bytes) { headless::plantFile(userFile(), bytes); }

    // A file in the current directory, where earlier versions kept it.
    static void plantInCurrentDirectory(const std::string& bytes) { headless::plantFile("settings.ini", bytes); }

    static std::string settingsBytes() { return headless::fileBytes(userFile()).value_or(""); }
    static bool settingsExist() { return headless::fileBytes(userFile()).has_value(); }

    // What a folder holds (the user's settings folder when none is given), by name.
    static std::vector<std::string> directoryListing(const std::filesystem::path& folder = {}) {
        return headless::folderListing(folder.empty() ? userFolder() : folder);
    }
};

}  // namespace settings_test
