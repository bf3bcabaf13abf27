// Files on the real file system of the machine running the tests, with
// failures that tests can plant at each step of a save.
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <system_error>

#include "host/backend/files.h"
#include "host/headless/headless_state.h"

namespace host::headless {

namespace {

backend::FileProblem problemOf(int errorNumber) {
    switch (errorNumber) {
        case ENOENT:
        case ENOTDIR: return backend::FileProblem::NotFound;
        case EACCES:
        case EPERM:
        case EROFS: return backend::FileProblem::AccessDenied;
        case ETXTBSY: return backend::FileProblem::InUse;
        case ENOSPC: return backend::FileProblem::DiskFull;
        default: return backend::FileProblem::Other;
    }
}

backend::FileFailure failureFrom(int errorNumber) { return {problemOf(errorNumber), std::strerror(errorNumber)}; }

// True when a failure was planted for this run of the step.
bool plantedFailure(FileStep step) {
    auto found = machine().fileFaults.find(step);
    if (found == machine().fileFaults.end()) return false;
    if (--found->second > 0) return false;
    machine().fileFaults.erase(found);
    return true;
}

// A write, flush or close: a planted failure, a full disk, or what the system said.
backend::FileResult plantedOr(FileStep step, bool failed) {
    if (plantedFailure(step)) return failureFrom(EIO);
    if (machine().diskFull) return failureFrom(ENOSPC);
    if (failed) return failureFrom(errno);
    return std::nullopt;
}

class HeadlessFile final : public backend::WritableFile {
public:
    explicit HeadlessFile(int descriptor) : descriptor_(descriptor) {}
    ~HeadlessFile() override { close(); }

    backend::FileResult write(std::string_view bytes) override {
        bool failed = false;
        while (!bytes.empty() && !failed) {
            const ssize_t written = ::write(descriptor_, bytes.data(), bytes.size());
            failed = written < 0 && errno != EINTR;
            if (written > 0) bytes.remove_prefix(std::size_t(written));
        }
        return plantedOr(FileStep::Write, failed);
    }

    backend::FileResult flush() override { return plantedOr(FileStep::Flush, ::fsync(descriptor_) != 0); }

    backend::FileResult close() override {
        if (descriptor_ < 0) return std::nullopt;
        const bool failed = ::close(descriptor_) != 0;
        descriptor_ = -1;
        return plantedOr(FileStep::Close, failed);
    }

private:
    int descriptor_;
};

}  // namespace

void failFileStep(FileStep step, int occurrence) { machine().fileFaults[step] = occurrence; }

void setDiskFull(bool full) { machine().diskFull = full; }

}  // namespace host::headless

namespace host::backend {

std::unique_ptr<WritableFile> createFile(const std::filesystem::path& path, FileResult& failure) {
    if (headless::plantedFailure(headless::FileStep::Create)) {
        failure = headless::failureFrom(EIO);
        return nullptr;
    }
    const int descriptor = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    failure = descriptor < 0 ? FileResult{headless::failureFrom(errno)} : std::nullopt;
    return failure ? nullptr : std::make_unique<headless::HeadlessFile>(descriptor);
}

FileResult replaceFile(const std::filesystem::path& from, const std::filesystem::path& to) {
    if (headless::plantedFailure(headless::FileStep::Replace)) return headless::failureFrom(EIO);
    std::error_code error;
    std::filesystem::rename(from, to, error);
    if (error) return headless::failureFrom(error.value());
    return std::nullopt;
}

void removeFile(const std::filesystem::path& path) {
    std::error_code ignored;
    std::filesystem::remove(path, ignored);
}

}  // namespace host::backend
