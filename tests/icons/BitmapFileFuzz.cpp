// Fuzzes the bitmap reader and everything a read bitmap goes through: the
// conversion to both icon sizes and the corner mask.
#include <cstdint>
#include <string>

#include "builder/engine/BitmapFile.h"
#include "builder/engine/DibConversion.h"
#include "builder/engine/IconImageBuilder.h"
#include "tests/fuzz/ScratchFile.h"
#include "tests/support/FileBytes.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::string path = fuzzScratchPath("bitmap.bmp");
    caskit_test::writeFile(path, std::string(reinterpret_cast<const char*>(data), size));
    std::string error;
    if (std::optional<std::string> dib = readBitmapFile(path, error)) {
        for (int s : {32, 16}) {
            IconImage image;
            image.width = s;
            image.height = s;
            image.bitsPerPixel = 8;
            if (makeIconImage(image, *dib, true)) makeMaskFromCorner(image, 0, 0);
        }
        convertDib(*dib, 7, 5, 4, false);
    }
    std::remove(path.c_str());
    return 0;
}
