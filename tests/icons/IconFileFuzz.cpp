// Fuzzes the icon file reader and the way a read file fills an icon slot:
// only the reader's own errors may come out.
#include <cstdint>
#include <string>

#include "builder/engine/DibLayout.h"
#include "builder/engine/IconFileReader.h"
#include "builder/engine/IconImageBuilder.h"
#include "builder/engine/IconGroupDirectory.h"
#include "tests/fuzz/ScratchFile.h"
#include "tests/support/FileBytes.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::string path = fuzzScratchPath("icon.ico");
    caskit_test::writeFile(path, std::string(reinterpret_cast<const char*>(data), size));
    try {
        IconFile file = readIconFile(path);
        std::vector<const IconImage*> all;
        for (IconImage& image : file.images) {
            all.push_back(&image);
            (void)image.colourRowsOffset();
            (void)image.maskRowsOffset();
        }
        buildIconGroupDirectory(all, 0);
        if (!file.images.empty()) {
            std::string first = file.images.front().bytes;
            if (first.size() >= kDibHeaderSize) first[8] = static_cast<char>(first[8] / 2);
            IconImage image;
            image.width = 16;
            image.height = 16;
            image.bitsPerPixel = 8;
            if (makeIconImage(image, first, true)) makeMaskFromCorner(image, 0, 0);
            makeMaskFromCorner(file.images.front(), 0, 0);
        }
    } catch (const XException&) {
    }
    std::remove(path.c_str());
    return 0;
}
