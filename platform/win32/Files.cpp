#include <windows.h>

#include "platform/Files.h"

namespace platform {

static HANDLE asHandle(intptr_t h) { return reinterpret_cast<HANDLE>(h); }

File File::open(const char* path, Mode mode) {
    const bool noLink = static_cast<int>(mode) & static_cast<int>(Mode::NoLink);
    mode = static_cast<Mode>(static_cast<int>(mode) & ~static_cast<int>(Mode::NoLink));
    DWORD access = GENERIC_READ, share = 0, disposition = OPEN_EXISTING;
    switch (mode) {
    case Mode::ReadShared: share = FILE_SHARE_READ | FILE_SHARE_WRITE; break;
    case Mode::ReadExclusive:
    case Mode::NoLink: break;
    case Mode::CreateAlways: access = GENERIC_READ | GENERIC_WRITE; disposition = CREATE_ALWAYS; break;
    case Mode::CreateNew: access = GENERIC_READ | GENERIC_WRITE; disposition = CREATE_NEW; break;
    case Mode::Append:
    case Mode::AppendPrivate: access = FILE_APPEND_DATA; share = FILE_SHARE_READ; disposition = OPEN_ALWAYS; break;
    case Mode::Locked:
    case Mode::LockedWait: access = GENERIC_READ | GENERIC_WRITE; disposition = OPEN_ALWAYS; break;
    }
    // A reparse point (a link, a junction) is opened as itself, and refused below.
    const bool asItself = noLink || mode == Mode::AppendPrivate;
    const DWORD flags = FILE_ATTRIBUTE_NORMAL | (asItself ? FILE_FLAG_OPEN_REPARSE_POINT : 0);
    File f;
    HANDLE h;
    // Held by another process: its handle shares nothing.
    while ((h = CreateFileA(path, access, share, nullptr, disposition, flags, nullptr)) ==
               INVALID_HANDLE_VALUE &&
           mode == Mode::LockedWait && GetLastError() == ERROR_SHARING_VIOLATION)
        Sleep(500);
    if (h == INVALID_HANDLE_VALUE) return f;
    f.handle_ = reinterpret_cast<intptr_t>(h);
    BY_HANDLE_FILE_INFORMATION info = {};
    if (asItself &&
        (!GetFileInformationByHandle(h, &info) || GetFileType(h) != FILE_TYPE_DISK ||
         (info.dwFileAttributes & (FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DIRECTORY)) ||
         (mode == Mode::AppendPrivate && info.nNumberOfLinks > 1))) {
        f.close();
        SetLastError(info.nNumberOfLinks > 1 ? ERROR_TOO_MANY_LINKS : ERROR_CANT_RESOLVE_FILENAME);
    }
    return f;
}

// Only the refusals of AppendPrivate are told apart.
const char* lastOpenProblem() {
    switch (GetLastError()) {
    case ERROR_CANT_RESOLVE_FILENAME: return "is a link or not a file";
    case ERROR_TOO_MANY_LINKS: return "has more than one link";
    default: return "cannot be opened";
    }
}

// GetFileSize and SetFilePointer (not their "Ex" forms, which Windows 95,
// 98 and NT 4.0 lack) with the high 32 bits passed separately; a low part
// of all ones is an error only when GetLastError says so.
bool File::size(uint64_t& bytes) const {
    if (!isOpen()) return false;
    DWORD high = 0;
    SetLastError(NO_ERROR);
    DWORD low = GetFileSize(asHandle(handle_), &high);
    if (low == INVALID_FILE_SIZE && GetLastError() != NO_ERROR) return false;
    bytes = (static_cast<uint64_t>(high) << 32) | low;
    return true;
}

bool File::seek(uint64_t offset) {
    if (!isOpen()) return false;
    LONG high = static_cast<LONG>(offset >> 32);
    SetLastError(NO_ERROR);
    DWORD low = SetFilePointer(asHandle(handle_), static_cast<LONG>(offset & 0xFFFFFFFFu), &high, FILE_BEGIN);
    return !(low == INVALID_SET_FILE_POINTER && GetLastError() != NO_ERROR);
}

long long File::read(void* buffer, size_t n) {
    if (!isOpen()) return -1;
    size_t total = 0;
    while (total < n) {
        DWORD chunk = static_cast<DWORD>(n - total > 0x40000000 ? 0x40000000 : n - total);
        DWORD got = 0;
        if (!ReadFile(asHandle(handle_), static_cast<char*>(buffer) + total, chunk, &got, nullptr)) return -1;
        if (got == 0) break;
        total += got;
    }
    return static_cast<long long>(total);
}

bool File::write(const void* data, size_t n) {
    if (!isOpen()) return false;
    size_t total = 0;
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

bool createAndDeleteHiddenFile(const char* path) {
    HANDLE h = CreateFileA(path, GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_HIDDEN, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    CloseHandle(h);
    DeleteFileA(path);
    return true;
}

bool fileExists(const char* path) { return GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES; }

// FindFirstFileA, which every Windows has (GetFileAttributesExA not).
static uint64_t wide(DWORD high, DWORD low) { return (static_cast<uint64_t>(high) << 32) | low; }

// Opened for no access, which neither a sharing mode nor a lock refuses; a
// folder does not open without backup semantics, so it is no file.
bool fileStamp(const char* path, FileStamp& stamp) {
    HANDLE h = CreateFileA(path, 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING, 0,
                           nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    BY_HANDLE_FILE_INFORMATION info;
    const bool read = GetFileInformationByHandle(h, &info) && !(info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
    CloseHandle(h);
    if (!read) return false;
    stamp.size = wide(info.nFileSizeHigh, info.nFileSizeLow);
    stamp.written = wide(info.ftLastWriteTime.dwHighDateTime, info.ftLastWriteTime.dwLowDateTime);
    stamp.changed = wide(info.ftCreationTime.dwHighDateTime, info.ftCreationTime.dwLowDateTime);
    stamp.identity = wide(info.nFileIndexHigh, info.nFileIndexLow) ^ (uint64_t{info.dwVolumeSerialNumber} << 32);
    return true;
}

uint64_t stampTimeNow() {
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    return wide(now.dwHighDateTime, now.dwLowDateTime);
}

// A read-only file can be neither replaced nor deleted: it is made
// writable first.
bool renameFile(const char* from, const char* to) {
    SetFileAttributesA(to, FILE_ATTRIBUTE_NORMAL);
    return MoveFileExA(from, to, MOVEFILE_REPLACE_EXISTING) != 0;
}

bool removeFile(const char* path) {
    SetFileAttributesA(path, FILE_ATTRIBUTE_NORMAL);
    return DeleteFileA(path) != 0;
}

bool ensureFolder(const char* path) {
    if (CreateDirectoryA(path, nullptr)) return true;
    const DWORD attributes = GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

namespace {

using OpenToken = BOOL(WINAPI*)(HANDLE, DWORD, PHANDLE);
using TokenInformation = BOOL(WINAPI*)(HANDLE, TOKEN_INFORMATION_CLASS, LPVOID, DWORD, PDWORD);

// The process's token, closed with it; looked up at run time, as Windows 95
// has no tokens.
struct Token {
    HMODULE advapi = GetModuleHandleA("advapi32.dll");
    HANDLE handle = nullptr;
    Token() {
        const auto open = reinterpret_cast<OpenToken>(
            advapi ? reinterpret_cast<void*>(GetProcAddress(advapi, "OpenProcessToken")) : nullptr);
        if (open && !open(GetCurrentProcess(), TOKEN_QUERY, &handle)) handle = nullptr;
    }
    ~Token() {
        if (handle) CloseHandle(handle);
    }
    Token(const Token&) = delete;
    Token& operator=(const Token&) = delete;
};

// Elevation is asked for by number (TokenElevation, 20): a system before
// Vista knows no elevation and answers false.
bool elevated(const Token& token) {
    const auto information = reinterpret_cast<TokenInformation>(
        token.handle ? reinterpret_cast<void*>(GetProcAddress(token.advapi, "GetTokenInformation")) : nullptr);
    DWORD value = 0, size = 0;
    return information &&
           information(token.handle, static_cast<TOKEN_INFORMATION_CLASS>(20), &value, sizeof value, &size) &&
           value != 0;
}

}  // namespace

// The folder is made with the access list it inherits: under
// %LOCALAPPDATA% that of the user's profile, which lets in the user, the
// system and the administrators (who may take any file) and nobody else.
bool ensurePrivateFolder(const char* path, const char*& problem) {
    Token token;
    problem = nullptr;
    if (elevated(token)) {
        problem = "not used by an elevated process";
        return false;
    }
    if (CreateDirectoryA(path, nullptr)) return true;
    const DWORD found = GetFileAttributesA(path);
    if (found == INVALID_FILE_ATTRIBUTES || !(found & FILE_ATTRIBUTE_DIRECTORY))
        problem = "cannot be made";
    else if (found & FILE_ATTRIBUTE_REPARSE_POINT)
        problem = "is a link";
    return !problem;
}

}  // namespace platform
