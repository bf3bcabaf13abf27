#pragma once

#include <cstdint>
#include <random>
#include <string>

namespace soak {

// Settings files as a hand edit or a damaged disk might leave them: numbers
// negative, fractional, huge, tiny or zero, words, quoted text, nothing at
// all, with any of the line ends or a comma between. The same seed gives
// the same files.
class RandomSettings {
public:
    explicit RandomSettings(std::uint32_t seed) : random_(seed) {}

    // The bytes of one whole file: the gap, then the speed.
    std::string next();

private:
    std::string field();
    int below(int bound) { return std::uniform_int_distribution<int>(0, bound - 1)(random_); }

    std::mt19937 random_;
};

}  // namespace soak
