#pragma once
// File and folder pickers built on the common Open dialog, with the
// optional "Pathing Options" panel (absolute or relative to a base folder).

#include <windows.h>

#include <string>

struct FilePickerResult {
    bool chosen = false;
    std::string folder;    // folder part (ends with a backslash unless "." or empty)
    std::string fileName;  // file name part
};

// filter: display/pattern pairs separated by '\0' (double-NUL terminated).
FilePickerResult pickFile(HWND owner, const std::string& title, const std::string& filter,
                          const std::string& defaultExtension, const std::string& initialFolder, bool pathingOptions,
                          const std::string& baseFolder);

struct FolderPickerResult {
    bool chosen = false;
    std::string folder;  // ends with a backslash whenever it is not empty
};

FolderPickerResult pickFolder(HWND owner, const std::string& title, const std::string& initialFolder,
                              bool pathingOptions, const std::string& baseFolder);
