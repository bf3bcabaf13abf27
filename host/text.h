#pragma once

#include <string>
#include <string_view>

namespace host {

// The text without the spaces at either end (tabs and other blanks stay).
std::string TrimSpaces(std::string_view text);
// ASCII letters in upper case; every other byte as it was.
std::string UpperCase(std::string_view text);

}  // namespace host
