#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

#include "host/field_reader.h"
#include "host/backend/files.h"
#include "host/variant.h"

namespace host {

// A file opened for sequential input ("Open ... For Input"). Only its first
// 64 KiB are read: two short fields never need more, and a huge or endless
// file costs no more than a small one.
class InputFile {
public:
    static constexpr std::size_t readableBytes = 64 * 1024;

    // Fails with "File not found" when there is no regular file of that
    // name, and with the error the runtime gives a refused file when it
    // cannot be read.
    explicit InputFile(const std::filesystem::path& path);
    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;

    Variant readField() { return reader_.readField(); }
    // The bytes read, for a file made of lines rather than fields.
    const std::string& text() const { return content_; }

private:
    std::string content_;
    FieldReader reader_{content_};
};

// A file opened for sequential output whose old content is replaced as a
// whole: records go to a temporary file beside it, and Close moves that over
// the target in one step, so a failure at any point leaves the old file
// intact and takes the temporary file away.
//
// The temporary file is always one the save made itself, under the first of
// a few names of the program's own ("<name>.1.tmp", "<name>.2.tmp", ...)
// that is free: never a file that was there before, nor one a link planted
// under the name points at. What a save cut off by a crash left under those
// names is never read as the target, and the next save takes it away; a
// name it cannot clear (another save's file, still open) is passed over.
class OutputFile {
public:
    // Fails with a run-time error naming the file and the reason when the
    // temporary file cannot be created (a directory that is not writable).
    explicit OutputFile(std::filesystem::path target);
    ~OutputFile();
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    // Writes one integer record: its decimal digits, then CR LF.
    void writeInteger(long value);
    // Writes one line of text as it is, then CR LF.
    void writeLine(std::string_view text);
    // Flushes the records and replaces the target with them. On failure the
    // temporary file is removed and the target stays as it was.
    void close();

private:
    // Raises the failure as a run-time error naming the target.
    void check(const backend::FileResult& result) const;

    std::filesystem::path target_;
    std::filesystem::path temporary_;
    std::unique_ptr<backend::WritableFile> file_;
    bool replaced_ = false;
};

// Creates the folder, and any folder above it that is missing; nothing when
// it exists. Fails with a run-time error naming the folder and the reason.
void CreateFolder(const std::filesystem::path& folder);

// Whether a file or a folder goes by that name.
bool PathExists(const std::filesystem::path& path);

}  // namespace host
