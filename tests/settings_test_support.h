#pragma once

// A fresh machine and a fresh, empty current directory for every test that
// touches "settings.ini", with helpers to plant and read back its bytes.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "host/headless/headless.h"
#include "tests/scratch_directory.h"

namespace settings_test {

namespace headless = host::headless;

class SettingsDirectoryTest : public ::testing::Test {
protected:
    void SetUp() override {
        headless::reset();
        directory_.emplace("settings");
    }

    void TearDown() override { directory_.reset(); }

    static void plantSettings(const std::string& bytes) {
        std::ofstream("settings.ini", std::ios::binary) << bytes;
    }

    static std::string settingsBytes() {
        std::ifstream file("settings.ini", std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(file), {});
    }

    static bool settingsExist() { return std::filesystem::exists("settings.ini"); }

    // Every file in the current directory, by name.
    static std::vector<std::string> directoryListing() {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator("."))
            names.push_back(entry.path().filename().string());
        return names;
    }

    // Takes write permission from the current directory; false when that
    // changes nothing (a superuser writes anyway), so the test can skip.
    bool makeDirectoryUnwritable() {
        std::filesystem::permissions(directory_->path(), std::filesystem::perms(0555));
        const bool stillWritable = std::ofstream("probe").is_open();
        std::filesystem::remove("probe");
        return !stillWritable;
    }

private:
    std::optional<test_support::ScratchDirectory> directory_;
};

}  // namespace settings_test
