#include "host/variant.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <limits>

#include "host/error.h"

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

std::optional<double> parseNumber(std::string_view text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return std::nullopt;
    const auto last = text.find_last_not_of(' ');
    text = text.substr(first, last - first + 1);
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    // from_chars accepts "inf" and "nan"; only digits may spell a number here.
    const bool startsWithDigit = !text.empty() && (std::isdigit((unsigned char)text.front()) || text.front() == '.' ||
                                                   (text.front() == '-' && text.size() > 1 &&
                                                    (std::isdigit((unsigned char)text[1]) || text[1] == '.')));
    if (!startsWithDigit) return std::nullopt;
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (end != text.data() + text.size()) return std::nullopt;
    if (error == std::errc::result_out_of_range) {
        // Too large for a double: the nearest it holds is infinity; too small: zero.
        const bool negative = text.front() == '-';
        const bool hugeMagnitude = text.find_first_of("eE") == std::string_view::npos ||
                                   text[text.find_first_of("eE") + 1] != '-';
        const double magnitude = hugeMagnitude ? std::numeric_limits<double>::infinity() : 0.0;
        return negative ? -magnitude : magnitude;
    }
    if (error != std::errc()) return std::nullopt;
    return value;
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
