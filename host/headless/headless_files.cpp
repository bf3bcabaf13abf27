// Files in the machine's memory, failing as the Win32 backend's do: the same
// kinds of failure for the same situations, in the same words.
#include <algorithm>

#include "host/backend/files.h"
#include "host/headless/headless_state.h"

namespace host::headless {

namespace {

using backend::FileFailure;
using backend::FileProblem;
using backend::FileResult;
using Path = std::filesystem::path;

FileSystem& fileSystem() { return machine().files; }

FileFailure failure(FileProblem problem) {
    switch (problem) {
        case FileProblem::NotFound: return {problem, "The system cannot find the file specified."};
        case FileProblem::AccessDenied: return {problem, "Access is denied."};
        case FileProblem::InUse:
            return {problem, "The process cannot access the file because it is being used by another process."};
        case FileProblem::DiskFull: return {problem, "There is not enough space on the disk."};
        case FileProblem::NameTaken: return {problem, "The file exists."};
        case FileProblem::Other: break;
    }
    return {FileProblem::Other, "The request could not be performed because of an I/O device error."};
}
const FileFailure noPath{FileProblem::NotFound, "The system cannot find the path specified."};
const FileFailure fileWhereAFolderBelongs{FileProblem::NameTaken,
                                          "Cannot create a file when that file already exists."};

Path fullPath(const Path& path) { return fileSystem().fullPath(path); }

bool isFile(const Path& full) { return fileSystem().files.count(full) != 0; }
bool isFolder(const Path& full) { return fileSystem().isFolder(full); }

FileResult refusal(const Path& full) {
    const auto found = fileSystem().refusals.find(full);
    if (found == fileSystem().refusals.end()) return std::nullopt;
    return failure(found->second);
}

// True when a failure was planted for this run of the step.
bool plantedFailure(FileStep step) {
    auto found = fileSystem().faults.find(step);
    if (found == fileSystem().faults.end()) return false;
    if (--found->second > 0) return false;
    fileSystem().faults.erase(found);
    return true;
}

// A write, flush or close: a planted failure, a full disk, or success.
FileResult plantedOr(FileStep step) {
    if (plantedFailure(step)) return failure(FileProblem::Other);
    if (fileSystem().diskFull) return failure(FileProblem::DiskFull);
    return std::nullopt;
}

// Whether a new entry may go into the folder that would hold it.
FileResult canMakeIn(const Path& folder) {
    if (!isFolder(folder)) return noPath;
    return refusal(folder);
}

class HeadlessReadable final : public backend::ReadableFile {
public:
    explicit HeadlessReadable(std::string bytes) : bytes_(std::move(bytes)) {}

    FileResult read(std::size_t count, std::string& bytes) override {
        if (plantedFailure(FileStep::Read)) return failure(FileProblem::Other);
        const std::size_t taken = std::min(count, bytes_.size() - offset_);
        bytes.append(bytes_, offset_, taken);
        offset_ += taken;
        return std::nullopt;
    }

private:
    std::string bytes_;
    std::size_t offset_ = 0;
};

class HeadlessWritable final : public backend::WritableFile {
public:
    explicit HeadlessWritable(Path path) : path_(std::move(path)) {}
    ~HeadlessWritable() override { close(); }

    FileResult write(std::string_view bytes) override {
        if (FileResult failed = plantedOr(FileStep::Write)) return failed;
        fileSystem().files[path_].append(bytes);
        return std::nullopt;
    }

    FileResult flush() override { return plantedOr(FileStep::Flush); }

    FileResult close() override {
        if (closed_) return std::nullopt;
        closed_ = true;
        return plantedOr(FileStep::Close);
    }

private:
    Path path_;
    bool closed_ = false;
};

}  // namespace

}  // namespace host::headless

namespace host::backend {

using headless::fullPath;
using headless::fileSystem;

std::unique_ptr<ReadableFile> openFile(const std::filesystem::path& path, FileResult& failure) {
    const headless::Path full = fullPath(path);
    failure = headless::refusal(full);
    if (!failure && !headless::isFile(full)) failure = headless::failure(FileProblem::NotFound);
    if (failure) return nullptr;
    return std::make_unique<headless::HeadlessReadable>(fileSystem().files.at(full));
}

bool pathExists(const std::filesystem::path& path) {
    const headless::Path full = fullPath(path);
    return headless::isFile(full) || headless::isFolder(full);
}

FileResult createFolder(const std::filesystem::path& folder) {
    const headless::Path full = fullPath(folder);
    if (headless::isFolder(full)) return std::nullopt;
    if (headless::isFile(full)) return headless::fileWhereAFolderBelongs;
    if (FileResult above = createFolder(full.parent_path())) return above;
    if (FileResult refused = headless::refusal(full.parent_path())) return refused;
    fileSystem().folders.insert(full);
    return std::nullopt;
}

std::unique_ptr<WritableFile> createNewFile(const std::filesystem::path& path, FileResult& failure) {
    const headless::Path full = fullPath(path);
    failure = headless::plantedFailure(headless::FileStep::Create) ? headless::failure(FileProblem::Other)
                                                                   : headless::canMakeIn(full.parent_path());
    if (!failure && (headless::isFile(full) || headless::isFolder(full)))
        failure = headless::failure(FileProblem::NameTaken);
    if (failure) return nullptr;
    fileSystem().files.emplace(full, std::string());
    return std::make_unique<headless::HeadlessWritable>(full);
}

FileResult replaceFile(const std::filesystem::path& from, const std::filesystem::path& to) {
    if (headless::plantedFailure(headless::FileStep::Replace)) return headless::failure(FileProblem::Other);
    const headless::Path source = fullPath(from);
    const headless::Path target = fullPath(to);
    if (!headless::isFile(source)) return headless::failure(FileProblem::NotFound);
    if (headless::isFolder(target)) return headless::failure(FileProblem::AccessDenied);
    if (FileResult refused = headless::canMakeIn(target.parent_path())) return refused;
    if (FileResult refused = headless::refusal(target)) return refused;
    fileSystem().files[target] = std::move(fileSystem().files.at(source));
    fileSystem().files.erase(source);
    return std::nullopt;
}

void removeFile(const std::filesystem::path& path) {
    const headless::Path full = fullPath(path);
    if (!headless::refusal(full)) fileSystem().files.erase(full);
}

std::filesystem::path userSettingsFolder() { return fileSystem().userSettingsFolder; }

}  // namespace host::backend
