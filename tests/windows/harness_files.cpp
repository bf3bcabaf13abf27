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

// Wine makes no link of its own (CreateSymbolicLinkW does nothing), but a
// link on the Unix side, behind a Wine path, is one to every program; Wine
// starts a Unix program as it starts its own, though its handle does not
// wait for it.
void plantSymbolicLink(const std::filesystem::path& link, const std::filesystem::path& target) {
    using UnixName = char* (*)(LPCWSTR);
    const auto unixName = reinterpret_cast<UnixName>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
    if (!unixName) throw std::runtime_error("symbolic links are planted only under Wine");
    const auto unixPath = [&](const std::filesystem::path& path) {
        char* name = unixName(path.c_str());
        if (!name) throw std::runtime_error("no Unix name for " + path.string());
        const std::wstring quoted = L'"' + std::filesystem::path(name).wstring() + L'"';
        HeapFree(GetProcessHeap(), 0, name);
        return quoted;
    };
    std::wstring command = L"Z:\\bin\\ln -s " + unixPath(target) + L" " + unixPath(link);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &started))
        throw std::runtime_error("cannot start ln");
    CloseHandle(started.hThread);
    CloseHandle(started.hProcess);
    std::error_code missing;
    if (!waitUntil([&] { return std::filesystem::exists(link, missing); }, 10s) || readFile(link) != readFile(target))
        throw std::runtime_error("no link planted at " + link.string());
}

void writeFile(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out) throw std::runtime_error("cannot write " + path.string());
    out.write(bytes.data(), std::streamsize(bytes.size()));
    if (!out) throw std::runtime_error("cannot write " + path.string());
}

}  // namespace harness
