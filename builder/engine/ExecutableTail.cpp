#include "builder/engine/ExecutableTail.h"

#include "platform/FileSystem.h"

bool appendToFile(const std::string& path, const std::string& bytes, std::string& error) {
    platform::File file = platform::openFile(path, platform::File::Mode::Append);
    if (file.isOpen() && file.write(bytes) && file.close()) return true;
    error = platform::lastErrorText();
    return false;
}
