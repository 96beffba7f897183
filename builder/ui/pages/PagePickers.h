#pragma once
// The pickers the pages open. They are the real file and folder pickers;
// a test replaces them to drive what a page does with a choice.

#include <windows.h>

#include <string>

#include "builder/engine/Project.h"
#include "builder/ui/Pickers.h"

namespace pages {

struct PagePickers {
    decltype(&pickFile) file = &pickFile;
    decltype(&pickFolder) folder = &pickFolder;
};

PagePickers& pagePickers();

// A picked file as a stored path: a folder of "." (Relative Path, a file
// in the base folder itself) leaves the bare file name.
std::string pickedPath(const FilePickerResult& chosen);

// A file the compile reads (the manifest, the embedded jar, the splash
// image), which takes a relative path from the project file's folder:
// Relative Path is offered once the project has a file. The choice is
// shown in the edit `editId` and stored at once.
void locateProjectFile(HWND dialog, Project& project, int editId, std::string ExtendedSettings::*field,
                       const char* title, const std::string& filter, const char* extension);

}  // namespace pages
