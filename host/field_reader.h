#pragma once

#include <string_view>

#include "host/variant.h"

namespace host {

// Reads comma- and line-separated fields the way sequential input does:
// spaces before a field are skipped; a blank line or nothing between two
// commas is Empty; a decimal number reads as that number; anything else
// reads as its text, which is never empty. CR LF, a lone CR and a lone LF
// each end a line. A field in double quotes is the text between them, and
// quotes around nothing read as themselves.
class FieldReader {
public:
    // `cutOff` says that the file goes on beyond `content`: a field that
    // reaches the end of `content` may be incomplete and is not read.
    explicit FieldReader(std::string_view content, bool cutOff = false) : rest_(content), cutOff_(cutOff) {}
    // The next field; fails with "Input past end of file" when none is left
    // or when the field runs on beyond what was given.
    Variant readField();
    // What is still to be read.
    std::string_view rest() const { return rest_; }

private:
    Variant readQuotedField();
    [[noreturn]] void pastEnd();

    std::string_view rest_;
    bool cutOff_;
};

}  // namespace host
