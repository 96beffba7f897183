// The writable-folder probe: create the hidden file "zy8zxx.zxi" and
// delete it at once.
#include "launcher/FolderProbe.h"

#include "platform/Files.h"
#include "platform/PathSeparator.h"

Text folderProbePath(const Text& folder) {
    Text path = folder;
    if (path.empty() || path.back() != platform::kPathSeparator) path += platform::kPathSeparator;
    return path + "zy8zxx.zxi";
}

bool isFolderWritable(const Text& folder) {
    return platform::createAndDeleteHiddenFile(folderProbePath(folder).c_str());
}
