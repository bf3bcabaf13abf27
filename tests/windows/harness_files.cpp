#include <atomic>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <system_error>

#include "harness.h"

namespace harness {

TempDir::TempDir() {
    static std::atomic<unsigned> counter{0};
    wchar_t base[MAX_PATH + 1] = {};
    GetTempPathW(MAX_PATH + 1, base);
    std::filesystem::path root = base[0] ? std::filesystem::path(base) : std::filesystem::temp_directory_path();
    while (true) {
        std::wostringstream name;
        name << L"zantrelle-test-" << GetCurrentProcessId() << L"-" << GetTickCount64() << L"-" << counter++;
        path_ = root / name.str();
        if (std::filesystem::create_directory(path_)) return;
    }
}

TempDir::~TempDir() {
    // A screen saver that was just killed may hold its files for a moment.
    waitUntil(
        [this] {
            std::error_code error;
            std::filesystem::remove_all(path_, error);
            return !error;
        },
        1s);
}

std::string readFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + path.string());
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

void writeFile(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out) throw std::runtime_error("cannot write " + path.string());
    out.write(bytes.data(), std::streamsize(bytes.size()));
    if (!out) throw std::runtime_error("cannot write " + path.string());
}

}  // namespace harness
