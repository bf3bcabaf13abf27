#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

namespace host {

// The tagged value that holds settings as they come from a file: Empty, a
// 16-bit integer, a real or text, with the runtime's conversion rules.
class Variant {
public:
    enum class Kind { Empty, Integer, Real, Text };

    Variant() = default;
    Variant(std::int16_t value) : value_(value) {}
    Variant(double value) : value_(value) {}
    Variant(std::string text) : value_(std::move(text)) {}
    Variant(const char* text) : value_(std::string(text)) {}

    Kind kind() const { return Kind(value_.index()); }

    // The comparison with "" as text: true for Empty and for empty text,
    // false for any number (zero included).
    bool equalsEmptyText() const;

    // The value as a number: Empty is 0, text must hold a number.
    // Fails with a type mismatch otherwise.
    double toNumber() const;

    // The number this value holds or its text spells, if any (Empty: none).
    std::optional<double> numberIfAny() const;

    // Conversion to a 16-bit integer: nearest, halves to even; fails with a
    // type mismatch for text that is no number and an overflow out of range.
    std::int16_t toInteger() const;

    // Decimal text of a number, the text itself, or "" for Empty.
    std::string toText() const;

    friend bool operator==(const Variant&, const Variant&) = default;

private:
    std::variant<std::monostate, std::int16_t, double, std::string> value_;
};

// The number a text spells: optional spaces, sign, digits, fraction and
// exponent, nothing else. Anything else (empty text included) is no number.
std::optional<double> parseNumber(std::string_view text);

// The shortest decimal text that reads back as the same number ("10", "2.5").
std::string numberToText(double value);

// Round to the nearest integer, halves to even, and fit 16 bits or fail.
std::int16_t roundToInteger(double value);

// Text of decimal digits to a 32-bit signed integer: fails with a type
// mismatch on empty text or a non-digit, with an overflow above 2^31 - 1.
std::int32_t digitsToLong(std::string_view digits);

}  // namespace host
