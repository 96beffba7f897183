// Compares the portable picture work with the system's GDI under Wine: the
// palette tables, convertDib and makeMaskFromCorner, byte for byte.
#include <cstdio>
#include <string>

#include "builder/engine/DibConversion.h"
#include "builder/engine/IconImageBuilder.h"
#include "builder/engine/SystemPalettes.h"
#include "tests/icons/GdiReference.h"
#include "tests/icons/TestPictures.h"

namespace {

int failures = 0;

void check(bool ok, const std::string& what) {
    if (!ok) {
        ++failures;
        std::printf("FAIL %s\n", what.c_str());
    }
}

void compareBytes(const std::string& ours, const std::string& gdi, const std::string& what) {
    if (ours == gdi) {
        std::printf("ok   %s (%zu bytes)\n", what.c_str(), ours.size());
        return;
    }
    std::size_t i = 0;
    while (i < ours.size() && i < gdi.size() && ours[i] == gdi[i]) ++i;
    std::size_t diffs = 0;
    for (std::size_t k = 0; k < ours.size() && k < gdi.size(); ++k) diffs += ours[k] != gdi[k];
    ++failures;
    std::printf("FAIL %s: sizes %zu/%zu, first difference at %zu (ours %02x, gdi %02x), %zu bytes differ\n",
                what.c_str(), ours.size(), gdi.size(), i, i < ours.size() ? ours[i] & 0xFF : 0,
                i < gdi.size() ? gdi[i] & 0xFF : 0, diffs);
}

void checkPalettes() {
    const auto halftone = gdiHalftonePalette();
    check(halftone.size() == 256, "halftone palette has 256 entries");
    for (std::size_t i = 0; i < halftone.size() && i < 256; ++i) {
        const auto& a = halftonePalette()[i];
        const auto& b = halftone[i];
        check(a.red == b.red && a.green == b.green && a.blue == b.blue && a.flags == b.flags,
              "halftone entry " + std::to_string(i));
    }
    const auto def = gdiDefaultPalette();
    check(def.size() == 20, "default palette has 20 entries");
    for (std::size_t i = 0; i < def.size() && i < 20; ++i) {
        const auto& a = defaultPalette()[i];
        const auto& b = def[i];
        check(a.red == b.red && a.green == b.green && a.blue == b.blue && a.flags == b.flags,
              "default entry " + std::to_string(i));
    }
    std::printf("palettes checked\n");
}

void convertCase(const std::string& name, const std::string& source, int w, int h, int bits, bool stretch) {
    const std::string what = name + " -> " + std::to_string(w) + "x" + std::to_string(h) + "x" +
                             std::to_string(bits) + (stretch ? " stretch" : " copy");
    const std::string ours = convertDib(source, w, h, bits, stretch);
    check(!ours.empty(), what + " converts");
    compareBytes(ours, gdiConvertDib(source, w, h, bits, stretch), what);
}

void maskCase(const std::string& name, const std::string& source, int size, int bits) {
    IconImage image;
    image.width = size;
    image.height = size;
    image.bitsPerPixel = bits;
    if (!makeIconImage(image, source, true)) {
        check(false, name + " icon image");
        return;
    }
    std::string gdi = image.bytes;
    gdiMakeMaskFromCorner(gdi, size, size);
    check(makeMaskFromCorner(image, 0, 0), name + " mask made");
    compareBytes(image.bytes, gdi, "mask " + name + " " + std::to_string(size) + "x" + std::to_string(bits));
}

}  // namespace

int main() {
    using namespace testpics;
    checkPalettes();

    const std::string rgb48 = randomDib(48, 48, 24, 1);
    const std::string pal8 = randomDib(32, 32, 8, 2);
    const std::string pal8big = randomDib(48, 48, 8, 3);
    const std::string pal4 = randomDib(32, 32, 4, 4);
    const std::string mono = randomDib(40, 24, 1, 5);
    const std::string rgb16 = randomDib(33, 17, 16, 6);
    const std::string rgb32 = randomDib(24, 40, 32, 7);
    const std::string odd = randomDib(13, 7, 24, 8);
    const std::string wide = randomDib(37, 29, 8, 9);

    convertCase("24-bit 48x48", rgb48, 32, 32, 8, true);
    convertCase("24-bit 48x48", rgb48, 16, 16, 8, true);
    convertCase("24-bit 48x48", rgb48, 48, 48, 8, true);
    convertCase("24-bit 48x48", rgb48, 32, 32, 4, true);
    convertCase("24-bit 48x48", rgb48, 32, 32, 1, true);
    convertCase("24-bit 48x48", rgb48, 32, 32, 24, true);
    convertCase("24-bit 48x48", rgb48, 32, 32, 8, false);
    convertCase("8-bit 32x32", pal8, 32, 32, 8, true);
    convertCase("8-bit 32x32", pal8, 16, 16, 8, true);
    convertCase("8-bit 32x32", pal8, 64, 64, 8, false);
    convertCase("8-bit 32x32", pal8, 32, 32, 4, true);
    convertCase("8-bit 48x48", pal8big, 32, 32, 8, true);
    convertCase("8-bit 48x48", pal8big, 16, 16, 8, true);
    convertCase("4-bit 32x32", pal4, 16, 16, 4, true);
    convertCase("4-bit 32x32", pal4, 32, 32, 8, true);
    convertCase("4-bit 32x32", pal4, 20, 20, 1, true);
    convertCase("1-bit 40x24", mono, 32, 32, 8, true);
    convertCase("1-bit 40x24", mono, 16, 16, 1, true);
    convertCase("16-bit 33x17", rgb16, 32, 32, 8, true);
    convertCase("32-bit 24x40", rgb32, 32, 32, 8, true);
    convertCase("24-bit 13x7", odd, 20, 11, 8, true);
    convertCase("24-bit 13x7", odd, 32, 32, 4, true);
    convertCase("24-bit 13x7", odd, 1, 1, 8, true);
    convertCase("8-bit 37x29", wide, 5, 3, 8, true);
    convertCase("8-bit 37x29", wide, 16, 16, 8, false);
    convertCase("8-bit 37x29", wide, 3, 31, 8, true);

    maskCase("24-bit blocks", blockDib(48, 48, 24, 11), 32, 8);
    maskCase("24-bit blocks", blockDib(48, 48, 24, 11), 16, 8);
    maskCase("8-bit blocks", blockDib(32, 32, 8, 12), 32, 8);
    maskCase("4-bit blocks", blockDib(32, 32, 4, 13), 32, 4);
    maskCase("1-bit blocks", blockDib(32, 32, 1, 14), 32, 1);
    maskCase("24-bit blocks", blockDib(30, 30, 24, 15), 32, 24);
    maskCase("24-bit random", rgb48, 32, 8);

    std::printf("%d failure(s)\n", failures);
    return failures ? 1 : 0;
}
