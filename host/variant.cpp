#include "host/variant.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

#include "host/error.h"
#include "host/text.h"

namespace host {

bool Variant::equalsEmptyText() const {
    switch (kind()) {
        case Kind::Empty: return true;
        case Kind::Text: return std::get<std::string>(value_).empty();
        default: return false;
    }
}

std::optional<double> Variant::numberIfAny() const {
    switch (kind()) {
        case Kind::Integer: return double(std::get<std::int16_t>(value_));
        case Kind::Real: return std::get<double>(value_);
        case Kind::Text: return parseNumber(std::get<std::string>(value_));
        case Kind::Empty: break;
    }
    return std::nullopt;
}

double Variant::toNumber() const {
    if (kind() == Kind::Empty) return 0.0;
    if (auto number = numberIfAny()) return *number;
    raise(ErrorNumber::TypeMismatch);
}

std::int16_t Variant::toInteger() const { return roundToInteger(toNumber()); }

std::string Variant::toText() const {
    switch (kind()) {
        case Kind::Integer: return std::to_string(std::get<std::int16_t>(value_));
        case Kind::Real: return numberToText(std::get<double>(value_));
        case Kind::Text: return std::get<std::string>(value_);
        case Kind::Empty: break;
    }
    return {};
}

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// A decimal exponent as written, held within a range that still tells every
// overflow from every underflow.
std::int64_t clampedExponent(std::string_view digits) {
    bool negative = false;
    if (!digits.empty() && (digits.front() == '+' || digits.front() == '-')) {
        negative = digits.front() == '-';
        digits.remove_prefix(1);
    }
    std::int64_t value = 0;
    for (char c : digits) value = std::min<std::int64_t>(value * 10 + (c - '0'), 1000000000);
    return negative ? -value : value;
}

// For a number too large or too small for a double: whether it is too large.
// That follows from where its first significant digit stands.
bool isTooLarge(std::string_view number) {
    const auto exponentMark = number.find_first_of("eE");
    const std::string_view mantissa = number.substr(0, exponentMark);
    const std::int64_t exponent =
        exponentMark == std::string_view::npos ? 0 : clampedExponent(number.substr(exponentMark + 1));
    const auto point = std::min(mantissa.find('.'), mantissa.size());
    const auto firstSignificant = mantissa.find_first_of("123456789");
    if (firstSignificant == std::string_view::npos) return false;
    const auto position = firstSignificant < point ? std::int64_t(point - firstSignificant)
                                                   : -std::int64_t(firstSignificant - point);
    return position + exponent > 0;
}

}  // namespace

std::optional<double> parseNumber(std::string_view text) {
    const std::string trimmed = TrimSpaces(text);
    if (trimmed.empty()) return std::nullopt;
    text = trimmed;
    const bool negative = text.front() == '-';
    if (text.front() == '+' || negative) text.remove_prefix(1);
    // from_chars also accepts "inf", "nan" and a sign; only digits, with at
    // most one sign in front, may spell a number here.
    const bool startsLikeNumber =
        !text.empty() && (isDigit(text.front()) || (text.front() == '.' && text.size() > 1 && isDigit(text[1])));
    if (!startsLikeNumber) return std::nullopt;
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (end != text.data() + text.size()) return std::nullopt;
    if (error == std::errc::result_out_of_range)
        value = isTooLarge(text) ? std::numeric_limits<double>::infinity() : 0.0;
    else if (error != std::errc())
        return std::nullopt;
    return negative ? -value : value;
}

std::string numberToText(double value) {
    char buffer[64];
    const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value);
    if (error != std::errc()) return "0";
    return std::string(buffer, end);
}

std::int16_t roundToInteger(double value) {
    if (!std::isfinite(value)) raise(ErrorNumber::Overflow);
    const double down = std::floor(value);
    const double fraction = value - down;
    const bool downIsEven = std::fmod(down, 2.0) == 0.0;
    const double rounded = fraction < 0.5 ? down : fraction > 0.5 ? down + 1.0 : (downIsEven ? down : down + 1.0);
    if (rounded < -32768.0 || rounded > 32767.0) raise(ErrorNumber::Overflow);
    return std::int16_t(rounded);
}

std::int32_t digitsToLong(std::string_view digits) {
    if (digits.empty()) raise(ErrorNumber::TypeMismatch);
    std::int64_t value = 0;
    for (char c : digits) {
        if (c < '0' || c > '9') raise(ErrorNumber::TypeMismatch);
        value = value * 10 + (c - '0');
        if (value > std::numeric_limits<std::int32_t>::max()) raise(ErrorNumber::Overflow);
    }
    return std::int32_t(value);
}

}  // namespace host
