#include "host/sequential_file.h"

#include <algorithm>
#include <charconv>
#include <string>

#include "host/error.h"
#include "host/file_failure.h"

namespace host {

namespace {

// More than saves ever run at once.
constexpr int temporaryNames = 8;

std::filesystem::path temporaryFile(const std::filesystem::path& target, int number) {
    std::filesystem::path name = target;
    name += "." + std::to_string(number) + ".tmp";
    return name;
}

}  // namespace

InputFile::InputFile(const std::filesystem::path& path) {
    backend::FileResult failure;
    const std::unique_ptr<backend::ReadableFile> file = backend::openFile(path, failure);
    // One byte past the limit tells a file that goes on from one that ends there.
    if (!failure) failure = file->read(readableBytes + 1, content_);
    if (failure) raise(errorNumberFor(failure->problem));
    const bool cutOff = content_.size() > readableBytes;
    content_.resize(std::min(content_.size(), readableBytes));
    reader_ = FieldReader(content_, cutOff);
}

OutputFile::OutputFile(std::filesystem::path target) : target_(std::move(target)) {
    // What saves cut off before their end left behind.
    for (int number = 1; number <= temporaryNames; ++number) backend::removeFile(temporaryFile(target_, number));
    backend::FileResult failure;
    for (int number = 1; number <= temporaryNames; ++number) {
        temporary_ = temporaryFile(target_, number);
        file_ = backend::createNewFile(temporary_, failure);
        if (!failure || failure->problem != backend::FileProblem::NameTaken) break;
    }
    // A file system may leave what it could not finish making; a name that
    // was taken holds what is not this save's.
    if (failure && failure->problem != backend::FileProblem::NameTaken) backend::removeFile(temporary_);
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

void OutputFile::writeLine(std::string_view text) {
    std::string record(text);
    record += "\r\n";
    check(file_->write(record));
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
    const backend::FileResult failure = backend::createFolder(folder);
    if (!failure) return;
    const ErrorNumber number = errorNumberFor(failure->problem);
    raise(number, describe(number) + ": cannot create the folder '" + folder.string() + "': " + failure->reason);
}

bool PathExists(const std::filesystem::path& path) { return backend::pathExists(path); }

}  // namespace host
