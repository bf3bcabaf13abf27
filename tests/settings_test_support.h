#pragma once

// A fresh machine and a fresh, empty current directory for every test that
// touches "settings.ini", with helpers to plant and read back its bytes.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <unistd.h>

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

    void TearDown() override {
        if (immutable_) setImmutable(false);
        directory_.reset();
    }

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

    // Takes write permission from the current directory. A superuser writes
    // anyway, so for one the directory is made immutable instead; false when
    // neither binds, so the test can skip.
    bool makeDirectoryUnwritable() {
        std::filesystem::permissions(directory_->path(), std::filesystem::perms(0555));
        if (!stillWritable()) return true;
        immutable_ = setImmutable(true);
        return immutable_ && !stillWritable();
    }

private:
    static bool stillWritable() {
        const bool writable = std::ofstream("probe").is_open();
        std::filesystem::remove("probe");
        return writable;
    }

    bool setImmutable(bool on) {
        const int fd = ::open(directory_->path().c_str(), O_RDONLY | O_DIRECTORY);
        if (fd < 0) return false;
        int flags = 0;
        bool done = ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
        flags = on ? (flags | FS_IMMUTABLE_FL) : (flags & ~FS_IMMUTABLE_FL);
        done = done && ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
        ::close(fd);
        return done;
    }

    std::optional<test_support::ScratchDirectory> directory_;
    bool immutable_ = false;
};

}  // namespace settings_test
