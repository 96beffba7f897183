#include "builder/engine/SplashImage.h"

#include "builder/engine/PngImage.h"

namespace {

using Bytes = const std::string&;

unsigned byteAt(Bytes b, std::size_t at) { return static_cast<unsigned char>(b[at]); }

// Skips GIF data sub-blocks (a length byte, that many bytes, until a 0
// length); false when they run past the end.
bool skipSubBlocks(Bytes b, std::size_t& at) {
    while (at < b.size()) {
        const unsigned length = byteAt(b, at++);
        if (length == 0) return true;
        at += length;
    }
    return false;
}

// The colour table a GIF flag byte announces, if any: 3 x 2^(n+1) bytes.
std::size_t colourTableSize(unsigned flags) { return flags & 0x80 ? 3u << ((flags & 7) + 1) : 0; }

bool wholeGif(Bytes b) {
    if (b.size() < 13) return false;
    std::size_t at = 13 + colourTableSize(byteAt(b, 10));
    bool image = false;
    while (at < b.size()) {
        switch (byteAt(b, at)) {
        case 0x3B: return image;  // the trailer
        case 0x21:                // an extension: its label, then sub-blocks
            at += 2;
            if (!skipSubBlocks(b, at)) return false;
            break;
        case 0x2C:  // an image: descriptor, local colour table, code size, data
            if (at + 10 > b.size()) return false;
            at += 10 + colourTableSize(byteAt(b, at + 9)) + 1;
            if (!skipSubBlocks(b, at)) return false;
            image = true;
            break;
        default: return false;
        }
    }
    return false;
}

// Segments from SOI up to the first scan; then the end marker must follow
// somewhere after it (the entropy-coded data between is not walked).
bool wholeJpeg(Bytes b) {
    std::size_t at = 2;
    while (at + 4 <= b.size() && byteAt(b, at) == 0xFF) {
        const unsigned marker = byteAt(b, at + 1);
        if (marker == 0xFF) {  // fill byte
            ++at;
            continue;
        }
        const std::size_t length = byteAt(b, at + 2) << 8 | byteAt(b, at + 3);
        if (length < 2) return false;
        at += 2 + length;
        if (marker == 0xDA) return at <= b.size() && b.find("\xFF\xD9", at) != std::string::npos;
    }
    return false;
}

}  // namespace

std::optional<std::string> splashImageProblem(const std::string& bytes) {
    if (startsAsPng(bytes)) {
        if (readPngHeader(bytes)) return std::nullopt;
        return std::string("is not a whole PNG image (cut short, or its chunks are damaged)");
    }
    if (bytes.compare(0, 6, "GIF87a") == 0 || bytes.compare(0, 6, "GIF89a") == 0) {
        if (wholeGif(bytes)) return std::nullopt;
        return std::string("is not a whole GIF image (cut short, or its blocks are damaged)");
    }
    if (bytes.compare(0, 3, "\xFF\xD8\xFF") == 0) {
        if (wholeJpeg(bytes)) return std::nullopt;
        return std::string("is not a whole JPEG image (cut short, or its segments are damaged)");
    }
    return std::string("is not a PNG, GIF or JPEG image");
}
