#include "host/field_reader.h"

#include <cstddef>
#include <string>

#include "host/error.h"

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

}  // namespace host
