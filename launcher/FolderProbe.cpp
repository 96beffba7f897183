// The writable-folder probe: create the hidden file "zy8zxx.zxi" and
// delete it at once.
#include "launcher/FolderProbe.h"

#include "platform/Files.h"
#include "platform/PathText.h"

Text folderProbePath(const Text& folder) {
    Text path = folder;
    const size_t last = path.size() - 1;
    if (path.empty() || path[last] != platform::kPathSeparator || !platform::beginsCharacter(path, last))
        path += platform::kPathSeparator;
    return path + "zy8zxx.zxi";
}

bool isFolderWritable(const Text& folder) {
    return platform::createAndDeleteHiddenFile(folderProbePath(folder).c_str());
}
