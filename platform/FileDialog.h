#pragma once
// The common Open and Save dialogs as the engine uses them for project
// files. Linux has no dialogs: both answer "cancelled".

#include <optional>
#include <string>

#include "platform/MessageBox.h"

namespace platform {

struct FileDialogRequest {
    WindowRef owner = nullptr;
    std::string title;
    std::string filter;  // display/pattern pairs separated by '\0', ended by "\0\0"
    std::string defaultExtension;
    std::string initialName;  // proposed file name (Save)
    bool save = false;        // Save dialog with overwrite prompt, else Open
};

// The chosen path, or nullopt when cancelled or failed.
std::optional<std::string> askFileName(const FileDialogRequest& request);

}  // namespace platform
