#include <sstream>
#include <stdexcept>

#include "harness.h"

namespace harness {

namespace {

std::wstring toWide(const std::string& text) {
    if (text.empty()) return {};
    int length = MultiByteToWideChar(CP_UTF8, 0, text.data(), int(text.size()), nullptr, 0);
    std::wstring wide(std::size_t(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), int(text.size()), wide.data(), length);
    return wide;
}

// The build passes the path as the Linux host sees it; Wine reaches the
// host's root through a DOS drive, which its own kernel32 can name.
std::filesystem::path toWindowsPath(const std::wstring& path) {
    if (path.empty() || path.front() != L'/') return path;
    using DosName = WCHAR* (*)(LPCSTR);
    auto dosName = reinterpret_cast<DosName>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_dos_file_name")));
    if (dosName) {
        int length = WideCharToMultiByte(CP_UTF8, 0, path.c_str(), -1, nullptr, 0, nullptr, nullptr);
        std::string unixPath(std::size_t(length), '\0');
        WideCharToMultiByte(CP_UTF8, 0, path.c_str(), -1, unixPath.data(), length, nullptr, nullptr);
        if (WCHAR* converted = dosName(unixPath.c_str())) {
            std::filesystem::path result(converted);
            HeapFree(GetProcessHeap(), 0, converted);
            return result;
        }
    }
    std::wstring dos = L"Z:" + path;
    for (wchar_t& c : dos) {
        if (c == L'/') c = L'\\';
    }
    return dos;
}

}  // namespace

std::filesystem::path scrPath() {
    wchar_t fromEnvironment[MAX_PATH * 4] = {};
    DWORD length = GetEnvironmentVariableW(L"ZANTRELLE_SCR", fromEnvironment, DWORD(std::size(fromEnvironment)));
    if (length > 0 && length < std::size(fromEnvironment)) return toWindowsPath(fromEnvironment);
    return toWindowsPath(toWide(ZANTRELLE_SCR_PATH));
}

Process::Process(Process&& other) noexcept : process_(other.process_), id_(other.id_) {
    other.process_ = nullptr;
    other.id_ = 0;
}

Process& Process::operator=(Process&& other) noexcept {
    if (this != &other) {
        kill();
        process_ = other.process_;
        id_ = other.id_;
        other.process_ = nullptr;
        other.id_ = 0;
    }
    return *this;
}

Process::~Process() { kill(); }

bool Process::running() const { return process_ && WaitForSingleObject(process_, 0) == WAIT_TIMEOUT; }

std::optional<DWORD> Process::waitForExit(std::chrono::milliseconds timeout) {
    if (!process_) return std::nullopt;
    if (!waitUntil([this] { return !running(); }, timeout)) return std::nullopt;
    DWORD code = 0;
    if (!GetExitCodeProcess(process_, &code)) return std::nullopt;
    return code;
}

void Process::kill() {
    if (!process_) return;
    if (running()) {
        TerminateProcess(process_, 1);
        WaitForSingleObject(process_, 5000);
    }
    CloseHandle(process_);
    process_ = nullptr;
    id_ = 0;
}

Process start(const std::wstring& arguments, const std::filesystem::path& workingDirectory) {
    return startAs(scrPath(), arguments, workingDirectory);
}

Process startAs(const std::filesystem::path& program, const std::wstring& arguments,
                const std::filesystem::path& workingDirectory) {
    std::wstring commandLine = L"\"" + program.wstring() + L"\"";
    if (!arguments.empty()) commandLine += L" " + arguments;

    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    const wchar_t* directory = workingDirectory.empty() ? nullptr : workingDirectory.c_str();
    // Wine answers ERROR_INTERNAL_ERROR when the new process died in Wine's
    // own loader before the program's code ran, which happens now and then
    // when many start at once on a busy machine; the program never ran, so
    // starting it again tests the same thing.
    constexpr int attempts = 3;
    DWORD error = ERROR_SUCCESS;
    for (int attempt = 0; attempt < attempts; ++attempt) {
        if (CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, directory, &startup,
                           &info)) {
            error = ERROR_SUCCESS;
            break;
        }
        error = GetLastError();
        if (error != ERROR_INTERNAL_ERROR) break;
    }
    if (error != ERROR_SUCCESS) {
        std::ostringstream message;
        message << "cannot start " << program.string() << " (error " << error << ")";
        throw std::runtime_error(message.str());
    }
    CloseHandle(info.hThread);
    Process process;
    process.process_ = info.hProcess;
    process.id_ = info.dwProcessId;
    return process;
}

}  // namespace harness
