#include "host/sequential_file.h"

#include <charconv>
#include <fstream>
#include <system_error>

#include "host/error.h"
#include "host/file_failure.h"

namespace host {

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
    temporary_ = target_;
    temporary_ += ".tmp";
    backend::FileResult failure;
    file_ = backend::createFile(temporary_, failure);
    // A file system may leave what it could not finish making.
    if (failure) backend::removeFile(temporary_);
    check(failure);
}

OutputFile::~OutputFile() {
    if (replaced_) return;
    if (file_) file_->close();
    backend::removeFile(temporary_);
}

void OutputFile::check(const backend::FileResult& result) const {
    if (!result) return;
    const ErrorNumber number = errorNumberFor(result->problem);
    raise(number, describe(number) + ": cannot write '" + target_.filename().string() + "': " + result->reason);
}

void OutputFile::writeInteger(long value) {
    // Plain ASCII digits whatever the locale: no grouping, no other digits.
    char record[24];
    char* end = std::to_chars(record, record + sizeof record - 2, value).ptr;
    *end++ = '\r';
    *end++ = '\n';
    check(file_->write(std::string_view(record, std::size_t(end - record))));
}

void OutputFile::close() {
    check(file_->flush());
    const backend::FileResult closing = file_->close();
    file_.reset();
    check(closing);
    check(backend::replaceFile(temporary_, target_));
    replaced_ = true;
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

}  // namespace host
