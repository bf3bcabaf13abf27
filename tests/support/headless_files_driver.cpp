// The in-memory file system as tests set it up and read it back.
#include <algorithm>

#include "host/headless/headless_state.h"
#include "tests/support/headless.h"

namespace host::headless {

namespace {

using Path = std::filesystem::path;

FileSystem& fileSystem() { return machine().files; }
Path fullPath(const Path& path) { return fileSystem().fullPath(path); }
bool isFolder(const Path& full) { return fileSystem().isFolder(full); }

}  // namespace

void setUserSettingsFolder(std::filesystem::path folder) {
    fileSystem().userSettingsFolder = folder.empty() ? Path() : fullPath(folder);
}

void plantFile(const std::filesystem::path& path, std::string bytes) {
    const Path full = fullPath(path);
    plantFolder(full.parent_path());
    fileSystem().files[full] = std::move(bytes);
}

void plantFolder(const std::filesystem::path& folder) {
    for (Path full = fullPath(folder); !isFolder(full); full = full.parent_path()) fileSystem().folders.insert(full);
}

std::optional<std::string> fileBytes(const std::filesystem::path& path) {
    const auto found = fileSystem().files.find(fullPath(path));
    if (found == fileSystem().files.end()) return std::nullopt;
    return found->second;
}

bool folderExists(const std::filesystem::path& folder) { return isFolder(fullPath(folder)); }

std::vector<std::string> folderListing(const std::filesystem::path& folder) {
    const Path full = fullPath(folder);
    std::vector<std::string> names;
    for (const auto& [path, bytes] : fileSystem().files)
        if (path.parent_path() == full) names.push_back(path.filename().string());
    for (const Path& path : fileSystem().folders)
        if (path != full && path.parent_path() == full) names.push_back(path.filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

void refuseAccess(const std::filesystem::path& path, backend::FileProblem problem) {
    fileSystem().refusals[fullPath(path)] = problem;
}

void failFileStep(FileStep step, int occurrence) { fileSystem().faults[step] = occurrence; }

void setDiskFull(bool full) { fileSystem().diskFull = full; }

}  // namespace host::headless
