#include "vmbind/ClassPathText.h"

#include "vmbind/LibraryLoading.h"

Text joinClassPath(const List<Text>& classPath, char separator) {
    Text text;
    for (const Text& entry : classPath) {
        text += entry;
        text += separator;
    }
    return text;
}

Text jdk12ClassPathText(const Text& binaryPath, const Text& classLib, const Text& joined, char separator) {
    Text text = Text(".") + separator;
    if (binaryPath == kInternalRuntime && !classLib.empty()) text += classLib + separator;
    return text + joined;
}

Text jdk11ClassPathText(const Text& joined, const char* vmDefault, char separator) {
    Text text = Text(".") + separator + joined;
    if (vmDefault) text += vmDefault;
    return text;
}

Text withEmbeddedJar(bool embeddedJar, const Text& ownPath, const Text& classPathText, char separator) {
    if (!embeddedJar) return classPathText;
    return ownPath + separator + classPathText;
}
