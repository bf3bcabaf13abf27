#include "host/sequential_file.h"

#include <atomic>
#include <chrono>
#include <sstream>
#include <system_error>

#include "host/error.h"
#include "host/platform.h"

namespace host {

namespace {

bool isLineEnd(char c) { return c == '\r' || c == '\n'; }

// Consumes the separator after a field: a comma, or a line end (CR LF, CR
// or LF taken as one).
void skipSeparator(std::string_view& rest) {
    if (rest.empty()) return;
    if (rest.front() == ',') {
        rest.remove_prefix(1);
        return;
    }
    if (rest.front() == '\r') {
        rest.remove_prefix(1);
        if (!rest.empty() && rest.front() == '\n') rest.remove_prefix(1);
        return;
    }
    if (rest.front() == '\n') rest.remove_prefix(1);
}

std::string_view trimTrailingSpaces(std::string_view text) {
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
    return text;
}

[[noreturn]] void failToWrite(const std::filesystem::path& target, const std::string& reason) {
    raise(ErrorNumber::PathFileAccessError,
          "Path/File access error: cannot write '" + target.filename().string() + "': " + reason);
}

}  // namespace

Variant FieldReader::readField() {
    while (!rest_.empty() && (rest_.front() == ' ' || rest_.front() == '\t')) rest_.remove_prefix(1);
    if (rest_.empty()) raise(ErrorNumber::InputPastEndOfFile);

    if (rest_.front() == '"') {
        rest_.remove_prefix(1);
        const auto close = rest_.find('"');
        const std::string_view quoted = rest_.substr(0, close);
        rest_.remove_prefix(close == std::string_view::npos ? rest_.size() : close + 1);
        // Whatever stands between the closing quote and the separator is dropped.
        while (!rest_.empty() && rest_.front() != ',' && !isLineEnd(rest_.front())) rest_.remove_prefix(1);
        skipSeparator(rest_);
        // Quoted text is never empty as a field: "" reads as Empty, like a blank field.
        if (quoted.empty()) return Variant();
        return Variant(std::string(quoted));
    }

    std::size_t end = 0;
    while (end < rest_.size() && rest_[end] != ',' && !isLineEnd(rest_[end])) ++end;
    const std::string_view field = trimTrailingSpaces(rest_.substr(0, end));
    rest_.remove_prefix(end);
    skipSeparator(rest_);

    if (field.empty()) return Variant();
    if (auto number = parseNumber(field)) return Variant(*number);
    return Variant(std::string(field));
}

InputFile::InputFile(const std::filesystem::path& path) {
    std::ifstream stream(path, std::ios::binary);
    std::error_code error;
    if (!stream || std::filesystem::is_directory(path, error)) raise(ErrorNumber::FileNotFound);
    std::ostringstream content;
    content << stream.rdbuf();
    content_ = content.str();
    reader_ = FieldReader(content_);
}

OutputFile::OutputFile(std::filesystem::path target) : target_(std::move(target)) {
    static std::atomic<unsigned> counter{0};
    const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    temporary_ = target_;
    temporary_ += ".tmp" + std::to_string(stamp % 1000000) + "-" + std::to_string(counter++);
    stream_.open(temporary_, std::ios::binary | std::ios::trunc);
    if (!stream_) failToWrite(target_, "the folder is not writable");
}

OutputFile::~OutputFile() {
    if (closed_) return;
    stream_.close();
    std::error_code ignored;
    std::filesystem::remove(temporary_, ignored);
}

void OutputFile::writeInteger(long value) {
    stream_ << value << "\r\n";
    if (!stream_) failToWrite(target_, "the disk refused the data");
}

void OutputFile::close() {
    stream_.flush();
    const bool written = bool(stream_);
    stream_.close();
    if (!written || stream_.fail()) failToWrite(target_, "the disk refused the data");
    platform::replaceFile(temporary_, target_);
    closed_ = true;
}

}  // namespace host
