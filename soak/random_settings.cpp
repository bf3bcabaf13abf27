#include "soak/random_settings.h"

#include <array>

namespace soak {

std::string RandomSettings::field() {
    static constexpr std::array<const char*, 12> odd = {
        "0", "-0", "1e308", "-1e308", "1e999", "99999999999999999999999", "1e-300", "abc", "\"quoted\"", "5 balls", "",
        "  ",
    };
    switch (below(5)) {
    case 0: return std::to_string(below(600) + 1);
    case 1: return std::to_string(-below(100000));
    case 2: return std::to_string(below(1000)) + "." + std::to_string(below(1000));
    case 3: return "-" + std::to_string(below(50)) + "." + std::to_string(below(100));
    default: return odd[std::size_t(below(int(odd.size())))];
    }
}

std::string RandomSettings::next() {
    static constexpr std::array<const char*, 4> separators = {"\r\n", "\n", "\r", ","};
    const char* separator = separators[std::size_t(below(int(separators.size())))];
    return field() + separator + field() + "\r\n";
}

}  // namespace soak
