#include "builder/ui/UserGuide.h"

#include <shellapi.h>

#include <cstdio>

namespace {

// Beyond this ShellExecuteA and FindExecutableA report success.
constexpr INT_PTR kShellSuccess = 32;

std::string guidePath() {
    char module[MAX_PATH + 1] = {};
    DWORD length = GetModuleFileNameA(nullptr, module, MAX_PATH);
    std::string path(module, length < MAX_PATH ? length : 0);
    std::size_t slash = path.rfind('\\');
    return path.substr(0, slash == std::string::npos ? 0 : slash + 1) + kUserGuideFile;
}

}  // namespace

std::string userGuideUrl(const std::string& path, int context) {
    std::string url = "file:///";
    for (unsigned char c : path) {
        if (c == '\\') {
            url += '/';
        } else if (c <= ' ' || c >= 0x7F || c == '#' || c == '%' || c == '"') {
            char escaped[4];
            std::snprintf(escaped, sizeof escaped, "%%%02X", c);
            url += escaped;
        } else {
            url += static_cast<char>(c);
        }
    }
    if (context > 0) url += "#help-" + std::to_string(context);
    return url;
}

bool openUserGuide(HWND owner, int context) {
    const std::string path = guidePath();
    if (GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES) {
        MessageBoxA(owner, ("The help file " + path + " cannot be found.").c_str(), "Error", MB_OK | MB_ICONWARNING);
        return false;
    }
    // The browser that opens .html files gets the URL with the section: the
    // shell's own "open" of a file drops everything after "#".
    char browser[MAX_PATH + 1] = {};
    if (reinterpret_cast<INT_PTR>(FindExecutableA(path.c_str(), nullptr, browser)) > kShellSuccess) {
        const std::string arguments = "\"" + userGuideUrl(path, context) + "\"";
        if (reinterpret_cast<INT_PTR>(ShellExecuteA(owner, "open", browser, arguments.c_str(), nullptr,
                                                    SW_SHOWNORMAL)) > kShellSuccess) {
            return true;
        }
    }
    if (reinterpret_cast<INT_PTR>(ShellExecuteA(owner, "open", path.c_str(), nullptr, nullptr, SW_SHOWNORMAL)) >
        kShellSuccess) {
        return true;
    }
    MessageBoxA(owner, ("No program opens the help file " + path + ".").c_str(), "Error", MB_OK | MB_ICONWARNING);
    return false;
}
