#include "builder/ui/Pickers.h"

#include <commctrl.h>
#include <commdlg.h>

#include "builder/ui/RelativePath.h"
#include "builder/ui/resource.h"

namespace {

// Controls of the common Open dialog that the pickers hide.
constexpr int kFileNameLabel = 1090;    // stc3
constexpr int kFileNameEdit = 1152;     // edt1
constexpr int kReadOnlyCheck = 1040;    // chx1
constexpr int kFileTypeList = 1136;     // cmb1
constexpr int kFileTypeLabel = 1089;    // stc2
constexpr DWORD kFileBufferSize = 1001;
constexpr int kFolderBufferSize = 260;
constexpr int kItemTextSize = 256;
constexpr const char* kNotAFolder = "Please choose a folder of the file system (a folder on a drive or a network share).";

// One picker call: the dialog structure and what the hook learns.
struct PickerRequest {
    OPENFILENAMEA ofn{};
    char file[kFileBufferSize] = {};
    std::string baseFolder;  // the folder picker stores its result here too
    std::string subfolder;   // remembered selection in the folder list
    bool absolute = true;
    bool selected = false;
    bool folderPicker = false;
};

// The pickers are modal and never nested: one request at a time.
PickerRequest* gRequest = nullptr;

void hideControl(HWND commonDialog, int id) { SendMessageA(commonDialog, CDM_HIDECONTROL, id, 0); }

BOOL CALLBACK findListView(HWND window, LPARAM result) {
    char className[32] = {};
    GetClassNameA(window, className, sizeof className);
    if (lstrcmpiA(className, "SysListView32") == 0) {
        *reinterpret_cast<HWND*>(result) = window;
        return FALSE;
    }
    return TRUE;
}

// The text of the first selected item of the dialog's folder list.
std::string firstSelectedItem(HWND commonDialog) {
    HWND list = nullptr;
    EnumChildWindows(commonDialog, findListView, reinterpret_cast<LPARAM>(&list));
    if (!list) return std::string();
    int count = static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        if (SendMessageA(list, LVM_GETITEMSTATE, i, LVIS_SELECTED) & LVIS_SELECTED) {
            char text[kItemTextSize + 1] = {};
            LVITEMA item{};
            item.iSubItem = 0;
            item.pszText = text;
            item.cchTextMax = kItemTextSize;
            SendMessageA(list, LVM_GETITEMTEXTA, i, reinterpret_cast<LPARAM>(&item));
            return text;
        }
    }
    return std::string();
}

void appendBackslash(std::string& path) {
    if (path.empty() || path.back() != '\\') path += '\\';
}

void onInitDialog(HWND hook, const OPENFILENAMEA* ofn) {
    gRequest = reinterpret_cast<PickerRequest*>(ofn->lCustData);
    HWND commonDialog = GetParent(hook);
    hideControl(commonDialog, kFileNameLabel);
    hideControl(commonDialog, kFileNameEdit);
    hideControl(commonDialog, kReadOnlyCheck);
    if (gRequest->folderPicker) {
        hideControl(commonDialog, kFileTypeList);
        hideControl(commonDialog, kFileTypeLabel);
        gRequest->selected = false;
    }
    if (GetDlgItem(hook, IDC_ABSOLUTE_PATH)) CheckDlgButton(hook, IDC_ABSOLUTE_PATH, BST_CHECKED);
    gRequest->absolute = true;
}

bool isFolder(const std::string& path) {
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

void onSelect(HWND hook) {
    HWND commonDialog = GetParent(hook);
    char folder[kFolderBufferSize + 1] = {};
    LRESULT length =
        SendMessageA(commonDialog, CDM_GETFOLDERPATH, kFolderBufferSize, reinterpret_cast<LPARAM>(folder));
    std::string path = length > 0 ? folder : "";
    if (!path.empty() && !gRequest->subfolder.empty()) {
        appendBackslash(path);
        path += gRequest->subfolder;
        appendBackslash(path);
    }
    // A virtual folder (My Computer, Network, a drive list) has no path, and
    // an item selected there is a display name such as "Local Disk (C:)":
    // the dialog stays open and the caller keeps its previous value.
    if (path.empty() || !isFolder(path)) {
        MessageBoxA(commonDialog, kNotAFolder, "Error", MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    if (!gRequest->absolute) path = relativePath(path, gRequest->baseFolder);
    gRequest->baseFolder = path;
    gRequest->selected = true;
    PostMessageA(commonDialog, WM_CLOSE, 0, 0);
}

void onCommand(HWND hook, WPARAM wParam) {
    switch (LOWORD(wParam)) {
    case IDC_ABSOLUTE_PATH:
        gRequest->absolute = true;
        break;
    case IDC_RELATIVE_PATH:
        gRequest->absolute = false;
        break;
    case IDC_SELECT:
        if (gRequest->folderPicker) onSelect(hook);
        break;
    default:
        break;
    }
}

void onNotify(HWND hook, const OFNOTIFYA* notify) {
    if (!gRequest->folderPicker) return;
    if (notify->hdr.code == CDN_FOLDERCHANGE) {
        gRequest->subfolder.clear();
    } else if (notify->hdr.code == CDN_SELCHANGE) {
        gRequest->subfolder.clear();
        gRequest->subfolder = firstSelectedItem(GetParent(hook));
    }
}

UINT_PTR CALLBACK pickerHook(HWND hook, UINT message, WPARAM wParam, LPARAM lParam) {
    try {
        if (message == WM_INITDIALOG) {
            onInitDialog(hook, reinterpret_cast<const OPENFILENAMEA*>(lParam));
            return TRUE;
        }
        if (!gRequest) return 0;
        if (message == WM_COMMAND) onCommand(hook, wParam);
        if (message == WM_NOTIFY) onNotify(hook, reinterpret_cast<const OFNOTIFYA*>(lParam));
    } catch (...) {
        // Nothing of the picker may unwind into the common dialog.
    }
    return 0;
}

void fillRequest(PickerRequest& request, HWND owner, const std::string& title, const char* filter,
                 const std::string& initialFolder) {
    OPENFILENAMEA& ofn = request.ofn;
    ofn.lStructSize = OPENFILENAME_SIZE_VERSION_400A;
    ofn.hwndOwner = owner;
    ofn.hInstance = GetModuleHandleA(nullptr);
    ofn.lpstrFilter = filter;
    ofn.lpstrFile = request.file;
    ofn.nMaxFile = kFileBufferSize;
    ofn.lpstrInitialDir = initialFolder.empty() ? nullptr : initialFolder.c_str();
    ofn.lpstrTitle = title.c_str();
    ofn.Flags = OFN_EXPLORER | OFN_ENABLESIZING | OFN_ENABLEHOOK;
    ofn.lpfnHook = pickerHook;
    ofn.lCustData = reinterpret_cast<LPARAM>(&request);
}

// Runs the dialog; the process-wide pointer never outlives the request.
BOOL runDialog(PickerRequest& request) {
    BOOL ok = GetOpenFileNameA(&request.ofn);
    gRequest = nullptr;
    return ok;
}

}  // namespace

FilePickerResult pickFile(HWND owner, const std::string& title, const std::string& filter,
                          const std::string& defaultExtension, const std::string& initialFolder, bool pathingOptions,
                          const std::string& baseFolder) {
    PickerRequest request;
    request.baseFolder = baseFolder;
    std::string filterText = filter;
    filterText.append(2, '\0');  // double-NUL end, whatever the caller passed
    fillRequest(request, owner, title, filterText.c_str(), initialFolder);
    request.ofn.lpstrDefExt = defaultExtension.empty() ? nullptr : defaultExtension.c_str();
    if (pathingOptions) {
        request.ofn.Flags |= OFN_ENABLETEMPLATE;
        request.ofn.lpTemplateName = MAKEINTRESOURCEA(IDD_PICKER_PATHING);
    }

    FilePickerResult result;
    if (!runDialog(request)) {
        CommDlgExtendedError();
        return result;
    }
    std::string chosen = request.file;
    std::size_t offset = request.ofn.nFileOffset;
    if (offset > chosen.size()) offset = chosen.size();
    result.chosen = true;
    result.folder = chosen.substr(0, offset);
    result.fileName = chosen.substr(offset);
    if (!request.absolute) result.folder = relativePath(result.folder, baseFolder);
    return result;
}

FolderPickerResult pickFolder(HWND owner, const std::string& title, const std::string& initialFolder,
                              bool pathingOptions, const std::string& baseFolder) {
    static const char kNoFiles[] = " \0 \0";
    PickerRequest request;
    request.folderPicker = true;
    request.baseFolder = baseFolder;
    fillRequest(request, owner, title, kNoFiles, initialFolder);
    request.ofn.Flags |= OFN_ENABLETEMPLATE;
    request.ofn.lpTemplateName = MAKEINTRESOURCEA(pathingOptions ? IDD_PICKER_PATHING_SELECT : IDD_PICKER_SELECT);

    FolderPickerResult result;
    if (runDialog(request)) {
        std::string chosen = request.file;
        std::size_t offset = request.ofn.nFileOffset;
        result.folder = chosen.substr(0, offset > chosen.size() ? chosen.size() : offset);
        result.chosen = true;
    } else if (request.selected) {
        result.folder = request.baseFolder;
        result.chosen = true;
    } else {
        CommDlgExtendedError();
        return result;
    }
    if (!result.folder.empty()) appendBackslash(result.folder);
    return result;
}
