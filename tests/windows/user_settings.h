#pragma once

#include <filesystem>

namespace harness {

// The user's own settings file, where the screen saver keeps its settings
// (%APPDATA%\Zantrelle\settings.ini). The file and its folder are removed
// when a test takes them and again when it is done with them, so that no
// test sees another's settings.
class UserSettings {
public:
    UserSettings();
    ~UserSettings();
    UserSettings(const UserSettings&) = delete;
    UserSettings& operator=(const UserSettings&) = delete;

    const std::filesystem::path& folder() const { return folder_; }
    std::filesystem::path file() const { return folder_ / "settings.ini"; }
    // Writes the file, making its folder first.
    void write(const std::string& bytes) const;

private:
    void remove() const;
    std::filesystem::path folder_;
};

}  // namespace harness
