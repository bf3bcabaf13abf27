// Feeds arbitrary bytes to the settings field reader. The first byte says
// whether the file goes on beyond the rest (as when only a prefix was read).
// Besides crashes, hangs and sanitizer reports it catches a reader that
// takes a line with something on it for a missing value, returns empty text,
// or stops making progress.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "host/error.h"
#include "host/field_reader.h"
#include "host/variant.h"

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }
bool isSeparator(char c) { return c == ',' || c == '\r' || c == '\n'; }

// The field as it stands in the file: from here to the next separator.
std::string_view rawField(std::string_view rest) {
    std::size_t end = 0;
    while (end < rest.size() && !isSeparator(rest[end])) ++end;
    return rest.substr(0, end);
}

bool holdsSomething(std::string_view text) {
    for (char c : text)
        if (!isBlank(c)) return true;
    return false;
}

void check(bool condition) {
    if (!condition) std::abort();
}

void convertLikeTheDialog(const host::Variant& value) {
    try {
        value.toInteger();
    } catch (const host::RuntimeError& error) {
        check(error.number() == host::ErrorNumber::Overflow || error.number() == host::ErrorNumber::TypeMismatch);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const bool cutOff = data[0] & 1;
    const std::string_view content(reinterpret_cast<const char*>(data + 1), size - 1);
    host::FieldReader reader(content, cutOff);

    // Every successful read consumes at least one byte, so this ends.
    for (;;) {
        const std::string_view before = reader.rest();
        host::Variant field;
        try {
            field = reader.readField();
        } catch (const host::RuntimeError& error) {
            check(error.number() == host::ErrorNumber::InputPastEndOfFile);
            check(reader.rest().empty());
            break;
        }
        check(reader.rest().size() < before.size());
        check(reader.rest().data() == before.data() + (before.size() - reader.rest().size()));
        if (field.kind() == host::Variant::Kind::Empty) check(!holdsSomething(rawField(before)));
        if (field.kind() == host::Variant::Kind::Text) check(!field.equalsEmptyText());
        convertLikeTheDialog(field);
        field.toText();
    }
    return 0;
}
