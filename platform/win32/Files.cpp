#include <windows.h>

#include "platform/Files.h"
#include "platform/win32/FileReplace.h"

namespace platform {

static HANDLE asHandle(std::intptr_t h) { return reinterpret_cast<HANDLE>(h); }

File File::open(const std::string& path, Mode mode) {
    DWORD access = GENERIC_READ, share = 0, disposition = OPEN_EXISTING;
    switch (mode) {
    case Mode::ReadShared: share = FILE_SHARE_READ | FILE_SHARE_WRITE; break;
    case Mode::ReadExclusive: break;
    case Mode::CreateAlways: access = GENERIC_READ | GENERIC_WRITE; disposition = CREATE_ALWAYS; break;
    case Mode::Append: access = FILE_APPEND_DATA; share = FILE_SHARE_READ; disposition = OPEN_ALWAYS; break;
    }
    File f;
    HANDLE h = CreateFileA(path.c_str(), access, share, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h != INVALID_HANDLE_VALUE) f.handle_ = reinterpret_cast<std::intptr_t>(h);
    return f;
}

// GetFileSize and SetFilePointer (not their "Ex" forms, which Windows 95,
// 98 and NT 4.0 lack) with the high 32 bits passed separately; a low part
// of all ones is an error only when GetLastError says so.
std::optional<std::uint64_t> File::size() const {
    if (!isOpen()) return std::nullopt;
    DWORD high = 0;
    SetLastError(NO_ERROR);
    DWORD low = GetFileSize(asHandle(handle_), &high);
    if (low == INVALID_FILE_SIZE && GetLastError() != NO_ERROR) return std::nullopt;
    return (static_cast<std::uint64_t>(high) << 32) | low;
}

bool File::seek(std::uint64_t offset) {
    if (!isOpen()) return false;
    LONG high = static_cast<LONG>(offset >> 32);
    SetLastError(NO_ERROR);
    DWORD low = SetFilePointer(asHandle(handle_), static_cast<LONG>(offset & 0xFFFFFFFFu), &high, FILE_BEGIN);
    return !(low == INVALID_SET_FILE_POINTER && GetLastError() != NO_ERROR);
}

long long File::read(void* buffer, std::size_t n) {
    if (!isOpen()) return -1;
    std::size_t total = 0;
    while (total < n) {
        DWORD chunk = static_cast<DWORD>(n - total > 0x40000000 ? 0x40000000 : n - total);
        DWORD got = 0;
        if (!ReadFile(asHandle(handle_), static_cast<char*>(buffer) + total, chunk, &got, nullptr)) return -1;
        if (got == 0) break;
        total += got;
    }
    return static_cast<long long>(total);
}

bool File::write(const void* data, std::size_t n) {
    if (!isOpen()) return false;
    std::size_t total = 0;
    while (total < n) {
        DWORD chunk = static_cast<DWORD>(n - total > 0x40000000 ? 0x40000000 : n - total);
        DWORD put = 0;
        if (!WriteFile(asHandle(handle_), static_cast<const char*>(data) + total, chunk, &put, nullptr) || put == 0)
            return false;
        total += put;
    }
    return true;
}

bool File::flush() { return isOpen() && FlushFileBuffers(asHandle(handle_)); }

bool File::close() {
    if (!isOpen()) return true;
    BOOL ok = CloseHandle(asHandle(handle_));
    handle_ = kInvalid;
    return ok != 0;
}

bool createAndDeleteHiddenFile(const std::string& path) {
    HANDLE h = CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_HIDDEN, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    CloseHandle(h);
    DeleteFileA(path.c_str());
    return true;
}

bool deleteFile(const std::string& path) { return DeleteFileA(path.c_str()) != 0; }

bool fileExists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

MoveFileExFunction moveFileExForReplace = &MoveFileExA;

// Windows 95 and 98 export MoveFileExA but do not implement it: there the
// old file is renamed aside, the new one moved in, and the old one deleted
// only once that succeeded; a failed move puts the old file back.
bool replaceFile(const std::string& source, const std::string& target) {
    if (moveFileExForReplace(source.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return true;
    if (GetLastError() != ERROR_CALL_NOT_IMPLEMENTED) return false;
    if (GetFileAttributesA(target.c_str()) == INVALID_FILE_ATTRIBUTES) return MoveFileA(source.c_str(), target.c_str()) != 0;
    const std::string aside = target + ".replaced";
    DeleteFileA(aside.c_str());
    if (!MoveFileA(target.c_str(), aside.c_str())) return false;
    if (!MoveFileA(source.c_str(), target.c_str())) {
        DWORD error = GetLastError();
        MoveFileA(aside.c_str(), target.c_str());
        SetLastError(error);
        return false;
    }
    DeleteFileA(aside.c_str());
    return true;
}

std::string lastErrorText() {
    DWORD code = GetLastError();
    char* text = nullptr;
    DWORD n = FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                             nullptr, code, MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT),
                             reinterpret_cast<char*>(&text), 0, nullptr);
    std::string result = n && text ? std::string(text, n) : std::string();
    if (text) LocalFree(text);
    return result;
}


}  // namespace platform
