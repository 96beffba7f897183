#include <windows.h>
#include <commdlg.h>

#include "platform/FileDialog.h"

namespace platform {

std::optional<std::string> askFileName(const FileDialogRequest& request) {
    char buffer[1001] = {};
    lstrcpynA(buffer, request.initialName.c_str(), sizeof buffer);
    OPENFILENAMEA ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = static_cast<HWND>(request.owner);
    ofn.hInstance = GetModuleHandleA(nullptr);
    ofn.lpstrFilter = request.filter.c_str();
    ofn.lpstrFile = buffer;
    ofn.nMaxFile = sizeof buffer;
    ofn.lpstrTitle = request.title.c_str();
    ofn.lpstrDefExt = request.defaultExtension.empty() ? nullptr : request.defaultExtension.c_str();
    ofn.Flags = OFN_EXPLORER | OFN_ENABLESIZING | (request.save ? OFN_OVERWRITEPROMPT : 0);
    BOOL ok = request.save ? GetSaveFileNameA(&ofn) : GetOpenFileNameA(&ofn);
    if (!ok) return std::nullopt;
    return std::string(buffer);
}

}  // namespace platform
