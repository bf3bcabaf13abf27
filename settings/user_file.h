#pragma once

#include <filesystem>
#include <string>

namespace settings {

// The file of that name in the user's settings folder; empty when the system
// names no folder for this user.
std::filesystem::path PerUserFile(const std::string& name);

// The same file, about to be written: its folder is made if need be. Fails
// with a run-time error naming the file when there is no folder to make.
std::filesystem::path PerUserFileToWrite(const std::string& name);

}  // namespace settings
