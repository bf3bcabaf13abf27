#include "host/sequential_file.h"

#include <atomic>
#include <cerrno>
#include <charconv>
#include <chrono>
#include <system_error>

#include "host/error.h"
#include "host/platform.h"

namespace host {

namespace {

std::string reasonFor(int errorNumber, const char* fallback) {
    return errorNumber != 0 ? std::generic_category().message(errorNumber) : fallback;
}

[[noreturn]] void failToWrite(const std::filesystem::path& target, const std::string& reason) {
    raise(ErrorNumber::PathFileAccessError,
          "Path/File access error: cannot write '" + target.filename().string() + "': " + reason);
}

}  // namespace

InputFile::InputFile(const std::filesystem::path& path) {
    // Only a regular file: a pipe or device of that name could block or never end.
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) raise(ErrorNumber::FileNotFound);
    std::ifstream stream(path, std::ios::binary);
    if (!stream) raise(ErrorNumber::FileNotFound);
    content_.resize(readableBytes);
    stream.read(content_.data(), std::streamsize(content_.size()));
    content_.resize(std::size_t(stream.gcount()));
    const bool cutOff = content_.size() == readableBytes && stream.peek() != std::ifstream::traits_type::eof();
    reader_ = FieldReader(content_, cutOff);
}

OutputFile::OutputFile(std::filesystem::path target) : target_(std::move(target)) {
    // A name of its own per call, so that two dialogs saving at once never
    // write into the same temporary file.
    static std::atomic<unsigned> counter{0};
    const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    temporary_ = target_;
    temporary_ += ".tmp" + std::to_string(stamp % 1000000) + "-" + std::to_string(counter++);
    errno = 0;
    stream_.open(temporary_, std::ios::binary | std::ios::trunc);
    if (!stream_) failToWrite(target_, reasonFor(errno, "the file could not be created"));
}

OutputFile::~OutputFile() {
    if (closed_) return;
    stream_.close();
    std::error_code ignored;
    std::filesystem::remove(temporary_, ignored);
}

void OutputFile::writeInteger(long value) {
    // Plain ASCII digits whatever the locale: no grouping, no other digits.
    char record[24];
    char* end = std::to_chars(record, record + sizeof record - 2, value).ptr;
    *end++ = '\r';
    *end++ = '\n';
    errno = 0;
    stream_.write(record, end - record);
    if (!stream_) failToWrite(target_, reasonFor(errno, "the data could not be written"));
}

void CreateFolder(const std::filesystem::path& folder) {
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error || !std::filesystem::is_directory(folder)) {
        raise(ErrorNumber::PathFileAccessError, "Path/File access error: cannot create the folder '" +
                                                    folder.string() + "': " +
                                                    (error ? error.message() : "a file of that name is in the way"));
    }
}

void OutputFile::close() {
    errno = 0;
    stream_.flush();
    const bool written = bool(stream_);
    stream_.close();
    if (!written || stream_.fail()) failToWrite(target_, reasonFor(errno, "the data could not be written"));
    platform::replaceFile(temporary_, target_);
    closed_ = true;
}

}  // namespace host
