#pragma once

// The in-memory file system of the headless machine: files with their bytes,
// folders, a current directory, and the failures tests plant. Nothing here
// touches the disk of the machine running the tests.

#include <filesystem>
#include <map>
#include <set>
#include <string>

#include "host/backend/files.h"
#include "host/headless/headless_records.h"

namespace host::headless {

struct FileSystem {
    // Paths are absolute and lexically normal.
    std::map<std::filesystem::path, std::string> files;
    std::set<std::filesystem::path> folders = {"/", "/current-directory", "/home", "/home/user"};
    std::filesystem::path currentDirectory = "/current-directory";
    std::filesystem::path userSettingsFolder = "/home/user/.config/zantrelle";
    // A file that cannot be opened, or a folder nothing can be made in.
    std::map<std::filesystem::path, backend::FileProblem> refusals;
    std::map<FileStep, int> faults;  // step: the run of it that fails
    bool diskFull = false;

    // The absolute, normal form of a path, as the tables keep it.
    std::filesystem::path fullPath(const std::filesystem::path& path) const {
        std::filesystem::path full = (path.is_absolute() ? path : currentDirectory / path).lexically_normal();
        if (!full.has_filename() && full != full.root_path()) full = full.parent_path();
        return full;
    }
    bool isFolder(const std::filesystem::path& full) const { return folders.count(full) != 0; }
};

}  // namespace host::headless
