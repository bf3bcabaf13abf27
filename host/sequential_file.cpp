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

bool isBlank(char c) { return c == ' ' || c == '\t'; }
bool isLineEnd(char c) { return c == '\r' || c == '\n'; }
bool isSeparator(char c) { return c == ',' || isLineEnd(c); }

std::size_t separatorPosition(std::string_view text) {
    std::size_t end = 0;
    while (end < text.size() && !isSeparator(text[end])) ++end;
    return end;
}

// Consumes the separator after a field: a comma, or a line end (CR LF, CR
// or LF taken as one).
void skipSeparator(std::string_view& rest) {
    if (rest.empty()) return;
    const char first = rest.front();
    rest.remove_prefix(1);
    if (first == '\r' && !rest.empty() && rest.front() == '\n') rest.remove_prefix(1);
}

std::string_view trimTrailingBlanks(std::string_view text) {
    while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
    return text;
}

std::string reasonFor(int errorNumber, const char* fallback) {
    return errorNumber != 0 ? std::generic_category().message(errorNumber) : fallback;
}

[[noreturn]] void failToWrite(const std::filesystem::path& target, const std::string& reason) {
    raise(ErrorNumber::PathFileAccessError,
          "Path/File access error: cannot write '" + target.filename().string() + "': " + reason);
}

}  // namespace

void FieldReader::pastEnd() {
    rest_ = {};
    raise(ErrorNumber::InputPastEndOfFile);
}

Variant FieldReader::readField() {
    while (!rest_.empty() && isBlank(rest_.front())) rest_.remove_prefix(1);
    if (rest_.empty()) pastEnd();
    if (rest_.front() == '"') return readQuotedField();

    const std::size_t end = separatorPosition(rest_);
    if (end == rest_.size() && cutOff_) pastEnd();
    const std::string_view field = trimTrailingBlanks(rest_.substr(0, end));
    rest_.remove_prefix(end);
    skipSeparator(rest_);

    if (field.empty()) return Variant();
    if (auto number = parseNumber(field)) return Variant(*number);
    return Variant(std::string(field));
}

Variant FieldReader::readQuotedField() {
    const std::string_view opened = rest_;
    const std::size_t close = rest_.find('"', 1);
    if (close == std::string_view::npos && cutOff_) pastEnd();
    const std::string_view quoted = rest_.substr(1, close == std::string_view::npos ? std::string_view::npos : close - 1);
    rest_.remove_prefix(close == std::string_view::npos ? rest_.size() : close + 1);
    // Whatever stands between the closing quote and the separator is dropped.
    rest_.remove_prefix(separatorPosition(rest_));
    const std::string_view raw = trimTrailingBlanks(opened.substr(0, opened.size() - rest_.size()));
    skipSeparator(rest_);
    // Quotes around nothing still make a field that is there: it reads as
    // itself, so that no written line ever counts as a missing value.
    if (quoted.empty()) return Variant(std::string(raw));
    return Variant(std::string(quoted));
}

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
