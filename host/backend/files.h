#pragma once

// What a backend provides for the files the program reads and writes and for
// where the user's settings live. Every step goes through the backend, so
// that each platform does it its own way (a save made safe, a file shared
// with other readers) and tests can plant files and make any step fail.

#include <cstddef>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace host::backend {

// What went wrong with a file, as the platform tells it. The runtime turns
// each kind into its error number in one place (host/file_failure.h).
enum class FileProblem {
    NotFound,      // no such file, or no such folder on the way to it
    AccessDenied,  // the system refuses this user: a read-only file or folder
    InUse,         // another program holds the file open or locked
    DiskFull,
    NameTaken,     // something already goes by the name of a file or folder to be made
    Other,         // anything else: a device lost
};

struct FileFailure {
    FileProblem problem;
    std::string reason;  // in the system's words
};
using FileResult = std::optional<FileFailure>;  // nothing: it worked

// A file being read from its start.
class ReadableFile {
public:
    virtual ~ReadableFile() = default;
    // Appends up to `count` bytes from where the last read ended: fewer only
    // at the end of the file.
    virtual FileResult read(std::size_t count, std::string& bytes) = 0;
};

// Opens a regular file for reading, shared with other readers and writers.
// A folder or a device of that name fails as not found: it could block or
// never end.
std::unique_ptr<ReadableFile> openFile(const std::filesystem::path& path, FileResult& failure);
// Whether anything, a file or a folder, goes by that name.
bool pathExists(const std::filesystem::path& path);
// Creates the folder and any folder above it that is missing; nothing when
// the folder exists.
FileResult createFolder(const std::filesystem::path& folder);

// A file being written, opened for this process alone.
class WritableFile {
public:
    virtual ~WritableFile() = default;
    virtual FileResult write(std::string_view bytes) = 0;
    // Puts what was written on the disk itself, not only in the system's
    // buffers: a file that replaces another must be whole before it does.
    virtual FileResult flush() = 0;
    virtual FileResult close() = 0;
};

// Creates a file that did not exist. Fails as NameTaken when anything, a
// file, a folder or a link, already goes by that name, and never opens a
// file through a link: what is written goes into a file of its own.
std::unique_ptr<WritableFile> createNewFile(const std::filesystem::path& path, FileResult& failure);
// Moves a fully written file over another in one step; on failure both stay
// as they were.
FileResult replaceFile(const std::filesystem::path& from, const std::filesystem::path& to);
// Removes a file if it is there; nothing is reported.
void removeFile(const std::filesystem::path& path);

// The folder that holds this user's settings of the program, whatever the
// current directory; it may not exist yet. Empty when the system cannot say.
std::filesystem::path userSettingsFolder();

}  // namespace host::backend
