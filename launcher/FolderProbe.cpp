// The writable-folder probe: create the hidden file "zy8zxx.zxi" and
// delete it at once.
#include "launcher/FolderProbe.h"

#include "platform/Files.h"
#include "platform/PathSeparator.h"

std::string folderProbePath(const std::string& folder) {
    std::string path = folder;
    if (path.empty() || path.back() != platform::kPathSeparator) path += platform::kPathSeparator;
    return path + "zy8zxx.zxi";
}

bool isFolderWritable(const std::string& folder) {
    return platform::createAndDeleteHiddenFile(folderProbePath(folder));
}
