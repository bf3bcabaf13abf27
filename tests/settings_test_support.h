#pragma once

// A fresh machine, a fresh, empty current directory and a user settings
// folder of its own for every test that touches "settings.ini", with helpers
// to plant and read back its bytes.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <algorithm>
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
        headless::setUserSettingsFolder(userFolder());
    }

    void TearDown() override {
        if (immutable_) setImmutable(false);
        directory_.reset();
    }

    std::filesystem::path userFolder() const { return directory_->userSettingsFolder(); }
    std::filesystem::path userFile() const { return userFolder() / "settings.ini"; }

    // The user's own file, where the program reads and writes its settings.
    void plantSettings(const std::string& bytes) const {
        std::filesystem::create_directories(userFolder());
        std::ofstream(userFile(), std::ios::binary) << bytes;
    }

    // A file in the current directory, where earlier versions kept it.
    static void plantInCurrentDirectory(const std::string& bytes) {
        std::ofstream("settings.ini", std::ios::binary) << bytes;
    }

    std::string settingsBytes() const {
        std::ifstream file(userFile(), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(file), {});
    }

    bool settingsExist() const { return std::filesystem::exists(userFile()); }

    // Every file in a folder (the user's settings folder when none is
    // given), by name.
    std::vector<std::string> directoryListing(std::filesystem::path folder = {}) const {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(folder.empty() ? userFolder() : folder))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    // Takes write permission from the user's settings folder. A superuser
    // writes anyway, so for one the folder is made immutable instead; false
    // when neither binds, so the test can skip.
    bool makeDirectoryUnwritable() {
        std::filesystem::create_directories(userFolder());
        std::filesystem::permissions(userFolder(), std::filesystem::perms(0555));
        if (!stillWritable()) return true;
        immutable_ = setImmutable(true);
        return immutable_ && !stillWritable();
    }

private:
    bool stillWritable() const {
        const auto probe = userFolder() / "probe";
        const bool writable = std::ofstream(probe).is_open();
        std::filesystem::remove(probe);
        return writable;
    }

    bool setImmutable(bool on) {
        const int fd = ::open(userFolder().c_str(), O_RDONLY | O_DIRECTORY);
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
