#include "vmbind/ClassPathText.h"

#include "vmbind/LibraryLoading.h"

std::string joinClassPath(const std::vector<std::string>& classPath, char separator) {
    std::string text;
    for (const std::string& entry : classPath) {
        text += entry;
        text += separator;
    }
    return text;
}

std::string jdk12ClassPathText(const std::string& binaryPath, const std::string& classLib,
                               const std::string& joined, char separator) {
    std::string text = std::string(".") + separator;
    if (binaryPath == kInternalRuntime && !classLib.empty()) text += classLib + separator;
    return text + joined;
}

std::string jdk11ClassPathText(const std::string& joined, const char* vmDefault, char separator) {
    std::string text = std::string(".") + separator + joined;
    if (vmDefault) text += vmDefault;
    return text;
}
