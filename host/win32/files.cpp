#include <windows.h>

#include <algorithm>

#include "host/backend/files.h"
#include "host/win32/wide_text.h"

namespace host::backend {

namespace {

std::string systemMessage(DWORD code) {
    wchar_t* buffer = nullptr;
    const DWORD length =
        FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                       nullptr, code, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::wstring text = length ? std::wstring(buffer, length) : L"system error " + std::to_wstring(code);
    LocalFree(buffer);
    while (!text.empty() && (text.back() == L'\r' || text.back() == L'\n' || text.back() == L' ')) text.pop_back();
    return win32::narrow(text);
}

FileProblem problemOf(DWORD code) {
    switch (code) {
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND:
        case ERROR_INVALID_NAME:
        case ERROR_BAD_NETPATH: return FileProblem::NotFound;
        case ERROR_ACCESS_DENIED: return FileProblem::AccessDenied;
        case ERROR_SHARING_VIOLATION:
        case ERROR_LOCK_VIOLATION: return FileProblem::InUse;
        case ERROR_DISK_FULL:
        case ERROR_HANDLE_DISK_FULL: return FileProblem::DiskFull;
        case ERROR_FILE_EXISTS:
        case ERROR_ALREADY_EXISTS: return FileProblem::NameTaken;
        default: return FileProblem::Other;
    }
}

FileFailure failureFrom(DWORD code) { return {problemOf(code), systemMessage(code)}; }

bool isFolder(const std::filesystem::path& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

FileResult unless(BOOL done) { return done ? FileResult{} : FileResult{failureFrom(GetLastError())}; }

class Win32ReadableFile final : public ReadableFile {
public:
    explicit Win32ReadableFile(HANDLE file) : file_(file) {}
    ~Win32ReadableFile() override { CloseHandle(file_); }

    FileResult read(std::size_t count, std::string& bytes) override {
        while (count > 0) {
            char buffer[16 * 1024];
            DWORD got = 0;
            if (!ReadFile(file_, buffer, DWORD(std::min(count, sizeof buffer)), &got, nullptr)) return unless(FALSE);
            if (got == 0) break;
            bytes.append(buffer, got);
            count -= got;
        }
        return std::nullopt;
    }

private:
    HANDLE file_;
};

class Win32File final : public WritableFile {
public:
    explicit Win32File(HANDLE file) : file_(file) {}
    ~Win32File() override { close(); }

    FileResult write(std::string_view bytes) override {
        DWORD written = 0;
        if (!WriteFile(file_, bytes.data(), DWORD(bytes.size()), &written, nullptr)) return unless(FALSE);
        if (written != bytes.size()) return failureFrom(ERROR_DISK_FULL);
        return std::nullopt;
    }

    FileResult flush() override { return unless(FlushFileBuffers(file_)); }

    FileResult close() override {
        if (file_ == INVALID_HANDLE_VALUE) return std::nullopt;
        const BOOL closed = CloseHandle(file_);
        file_ = INVALID_HANDLE_VALUE;
        return unless(closed);
    }

private:
    HANDLE file_;
};

}  // namespace

std::unique_ptr<ReadableFile> openFile(const std::filesystem::path& path, FileResult& failure) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        failure = failureFrom(attributes == INVALID_FILE_ATTRIBUTES ? GetLastError() : ERROR_FILE_NOT_FOUND);
        return nullptr;
    }
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    failure = unless(file != INVALID_HANDLE_VALUE);
    if (failure) return nullptr;
    // A device (a pipe, a console) could block or never end.
    if (GetFileType(file) != FILE_TYPE_DISK) {
        CloseHandle(file);
        failure = failureFrom(ERROR_FILE_NOT_FOUND);
        return nullptr;
    }
    return std::make_unique<Win32ReadableFile>(file);
}

bool pathExists(const std::filesystem::path& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

FileResult createFolder(const std::filesystem::path& folder) {
    if (isFolder(folder)) return std::nullopt;
    if (pathExists(folder)) return failureFrom(ERROR_ALREADY_EXISTS);
    const std::filesystem::path above = folder.parent_path();
    if (!above.empty() && above != folder) {
        if (FileResult failed = createFolder(above)) return failed;
    }
    if (CreateDirectoryW(folder.c_str(), nullptr)) return std::nullopt;
    const DWORD code = GetLastError();
    // Another program may have made it in the meantime.
    if (code == ERROR_ALREADY_EXISTS && isFolder(folder)) return std::nullopt;
    return failureFrom(code);
}

// Shared with no one while it is written, and always a new file: opening
// one already there could open a link planted under the name, and what is
// written would land in whatever file the link points at.
std::unique_ptr<WritableFile> createNewFile(const std::filesystem::path& path, FileResult& failure) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    failure = unless(file != INVALID_HANDLE_VALUE);
    if (failure) return nullptr;
    // Whatever the file system, a file of its own: not a reparse point, not
    // one more name of a file that was there.
    BY_HANDLE_FILE_INFORMATION made{};
    if (!GetFileInformationByHandle(file, &made) || (made.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) ||
        made.nNumberOfLinks != 1) {
        CloseHandle(file);
        failure = failureFrom(ERROR_FILE_EXISTS);
        return nullptr;
    }
    return std::make_unique<Win32File>(file);
}

FileResult replaceFile(const std::filesystem::path& from, const std::filesystem::path& to) {
    // A read-only target must stay as it is; not every file system refuses
    // to replace one by itself.
    const DWORD attributes = GetFileAttributesW(to.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
        return failureFrom(ERROR_ACCESS_DENIED);
    return unless(MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH));
}

void removeFile(const std::filesystem::path& path) { DeleteFileW(path.c_str()); }

}  // namespace host::backend
