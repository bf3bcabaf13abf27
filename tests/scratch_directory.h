#pragma once

#include <filesystem>
#include <string>

#include <unistd.h>

namespace test_support {

// A fresh, empty directory that is the process's current directory while
// the object lives; afterwards the old current directory is back and the
// scratch directory is gone, even when a test took its write permission.
// It also holds a folder, not yet created, for the user's own settings.
class ScratchDirectory {
public:
    explicit ScratchDirectory(const std::string& purpose)
        : previous_(std::filesystem::current_path()),
          path_(std::filesystem::temp_directory_path() /
                ("zantrelle-" + purpose + "-" + std::to_string(::getpid()) + "-" + std::to_string(++count_))) {
        std::filesystem::remove_all(path_);
        std::filesystem::create_directories(path_);
        std::filesystem::current_path(path_);
    }

    ~ScratchDirectory() {
        std::error_code ignored;
        std::filesystem::current_path(previous_, ignored);
        for (const auto& folder : {path_, path_ / "user", userSettingsFolder()}) {
            std::filesystem::permissions(folder, std::filesystem::perms::owner_all,
                                         std::filesystem::perm_options::add, ignored);
        }
        std::filesystem::remove_all(path_, ignored);
    }

    ScratchDirectory(const ScratchDirectory&) = delete;
    ScratchDirectory& operator=(const ScratchDirectory&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path userSettingsFolder() const { return path_ / "user" / "zantrelle"; }

private:
    std::filesystem::path previous_;
    std::filesystem::path path_;
    static inline int count_ = 0;
};

}  // namespace test_support
