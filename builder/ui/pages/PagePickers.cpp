#include "builder/ui/pages/PagePickers.h"

#include "builder/ui/RelativePath.h"
#include "builder/ui/pages/PageSupport.h"

namespace pages {

PagePickers& pagePickers() {
    static PagePickers pickers;
    return pickers;
}

std::string pickedPath(const FilePickerResult& chosen) {
    return (chosen.folder == "." ? std::string() : chosen.folder) + chosen.fileName;
}

void locateProjectFile(HWND dialog, Project& project, int editId, std::string ExtendedSettings::*field,
                       const char* title, const std::string& filter, const char* extension) {
    // The project file's folder, with its backslash; empty while the
    // project has no file.
    const std::size_t slash = project.projectPath.rfind('\\');
    const std::string base = slash == std::string::npos ? std::string() : project.projectPath.substr(0, slash + 1);
    const std::string current = controlText(dialog, editId);
    const std::string initial = current.empty() ? base : folderOfFile(current, base);
    FilePickerResult chosen = pagePickers().file(dialog, title, filter, extension, initial, !base.empty(), base);
    if (!chosen.chosen) return;
    const std::string path = pickedPath(chosen);
    setControlText(dialog, editId, path);
    project.setExtended(field, path);
}

}  // namespace pages
