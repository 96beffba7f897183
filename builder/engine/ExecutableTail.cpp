#include "builder/engine/ExecutableTail.h"

#include "builder/engine/CompileInputs.h"
#include "builder/engine/PeImage.h"
#include "platform/FileSystem.h"

namespace {

// The stub, its resources, the embedded jar and the trailer.
constexpr std::uint64_t kMaxProducedSize = kMaxEmbeddedJarSize + (64u << 20);

bool isPe(const std::string& file) { return file.compare(0, 2, "MZ") == 0; }

}  // namespace

bool appendToFile(const std::string& path, const std::string& bytes, std::string& error) {
    platform::File file = platform::openFile(path, platform::File::Mode::Append);
    if (file.isOpen() && file.write(bytes) && file.close()) return true;
    error = platform::lastErrorText();
    return false;
}

bool refreshPeChecksum(const std::string& path, std::string& error) {
    std::optional<std::string> file = platform::readWholeFile(path, kMaxProducedSize);
    if (!file) {
        error = platform::lastErrorText();
        return false;
    }
    if (!isPe(*file)) return true;
    PeImage image;
    if (!readPeImage(*file, image, error)) return false;
    // The headers are written back as read, with the checksum of the whole file.
    patchPeImage(*file, image);
    platform::File out = platform::openFile(path, platform::File::Mode::CreateAlways);
    if (out.isOpen() && out.write(*file) && out.close()) return true;
    error = platform::lastErrorText();
    return false;
}
