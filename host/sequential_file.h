#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

#include "host/variant.h"

namespace host {

// Reads comma- and line-separated fields the way sequential input does:
// spaces before a field are skipped; a blank line or nothing between two
// commas is Empty; a decimal number reads as that number; anything else
// reads as its text, which is never empty. A field in double quotes is text.
class FieldReader {
public:
    explicit FieldReader(std::string_view content) : rest_(content) {}
    // The next field; fails with "Input past end of file" when none is left.
    Variant readField();

private:
    std::string_view rest_;
};

// A file opened for sequential input ("Open ... For Input").
class InputFile {
public:
    // Fails with "File not found" when the file is missing or unreadable.
    explicit InputFile(const std::filesystem::path& path);
    Variant readField() { return reader_.readField(); }

private:
    std::string content_;
    FieldReader reader_{content_};
};

// A file opened for sequential output whose old content is replaced as a
// whole: records go to a temporary file beside it, and Close moves that over
// the target in one step, so a failure at any point leaves the old file intact.
class OutputFile {
public:
    // Fails with a run-time error naming the file when the temporary file
    // cannot be created (for example in a directory that is not writable).
    explicit OutputFile(std::filesystem::path target);
    ~OutputFile();
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    // Writes one integer record: its decimal digits, then CR LF.
    void writeInteger(long value);
    // Flushes the records and replaces the target with them.
    void close();

private:
    std::filesystem::path target_;
    std::filesystem::path temporary_;
    std::ofstream stream_;
    bool closed_ = false;
};

}  // namespace host
