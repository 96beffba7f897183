#include <windows.h>

#include "platform/FileSystem.h"
#include "platform/win32/FileReplace.h"

namespace platform {

bool deleteFile(const std::string& path) { return DeleteFileA(path.c_str()) != 0; }

bool makeFolder(const std::string& path) { return CreateDirectoryA(path.c_str(), nullptr) != 0; }

MoveFileExFunction moveFileExForReplace = &MoveFileExA;

// Windows 95 and 98 export MoveFileExA but do not implement it: there the
// old file is renamed aside, the new one moved in, and the old one deleted
// only once that succeeded; a failed move puts the old file back.
namespace {

bool moveOver(const std::string& source, const std::string& target) {
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

DWORD orNormal(DWORD attributes) { return attributes ? attributes : FILE_ATTRIBUTE_NORMAL; }

}  // namespace

// A read-only target is replaced as elsewhere, where the folder's rights
// decide: its attribute is cleared first, and put back when the move fails.
bool replaceFile(const std::string& source, const std::string& target) {
    const DWORD attributes = GetFileAttributesA(target.c_str());
    const bool readOnly = attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY);
    if (readOnly) SetFileAttributesA(target.c_str(), orNormal(attributes & ~FILE_ATTRIBUTE_READONLY));
    if (moveOver(source, target)) return true;
    const DWORD error = GetLastError();
    if (readOnly) SetFileAttributesA(target.c_str(), attributes);
    SetLastError(error);
    return false;
}

// CREATE_NEW fails on anything at `path`, a link too. A new file takes
// the folder's inherited rights, which are the user's own in the user's
// folders.
File createNewFile(const std::string& path, bool, bool& taken) {
    HANDLE h = CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL,
                           nullptr);
    taken = h == INVALID_HANDLE_VALUE && (GetLastError() == ERROR_FILE_EXISTS || GetLastError() == ERROR_ALREADY_EXISTS);
    return File::adopt(reinterpret_cast<intptr_t>(h));
}

// A Windows file's mode is its read-only and hidden attributes.
bool copyFileMode(const std::string& model, const std::string& path) {
    const DWORD kept = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN;
    const DWORD from = GetFileAttributesA(model.c_str()), to = GetFileAttributesA(path.c_str());
    return from != INVALID_FILE_ATTRIBUTES && to != INVALID_FILE_ATTRIBUTES &&
           SetFileAttributesA(path.c_str(), orNormal((to & ~kept) | (from & kept)));
}

std::string linkTarget(const std::string& path) { return path; }

FileLock::~FileLock() {
    if (!mutex_) return;
    ReleaseMutex(mutex_);
    CloseHandle(mutex_);
}

// The mutex is named by a hash of the upper-cased full path: a name holds
// no backslash and has a length limit.
bool FileLock::lock(const std::string& path) {
    char full[MAX_PATH];
    const DWORD length = GetFullPathNameA(path.c_str(), MAX_PATH, full, nullptr);
    if (length == 0 || length >= MAX_PATH) return false;
    std::uint64_t hash = 14695981039346656037ull;
    for (DWORD i = 0; i < length; ++i) {
        const unsigned char c = static_cast<unsigned char>(full[i]);
        hash = (hash ^ (c >= 'a' && c <= 'z' ? c - 32 : c)) * 1099511628211ull;
    }
    char name[40];
    wsprintfA(name, "caskit-lock-%08lx%08lx", static_cast<unsigned long>(hash >> 32),
              static_cast<unsigned long>(hash & 0xFFFFFFFFu));
    HANDLE mutex = CreateMutexA(nullptr, FALSE, name);
    if (!mutex) return false;
    const DWORD waited = WaitForSingleObject(mutex, INFINITE);
    if (waited != WAIT_OBJECT_0 && waited != WAIT_ABANDONED) {
        CloseHandle(mutex);
        return false;
    }
    mutex_ = mutex;
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
