#pragma once

#include <cstdint>

#include "host/variant.h"

namespace settings {

// What the spiral runs with when the file gives no value for a setting.
inline constexpr std::int16_t DefaultGap = 5;
inline constexpr std::int16_t DefaultSpeed = 150;

// Reads "settings.ini" in the user's settings folder (or, while there is none
// there, the one in the current directory) into the two slots: the ball gap,
// then the ball speed. A slot the file does not fill keeps its value; a slot
// still empty afterwards becomes 5 or 150. Never fails.
void ReadSettings(host::Variant& first, host::Variant& second);

// Replaces "settings.ini" in the user's settings folder, which it creates if
// need be, with the two values, each as decimal digits and CR LF. Never
// writes the current directory. The old file stays intact when the write
// fails; the failure is a run-time error naming the file.
void WriteSettings(std::int16_t gap, std::int16_t speed);

}  // namespace settings
