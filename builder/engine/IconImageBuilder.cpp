#include "builder/engine/IconImageBuilder.h"

#include <new>

#include "builder/engine/DibConversion.h"
#include "builder/engine/DibLayout.h"
#include "builder/engine/DibPixels.h"
#include "platform/ByteReader.h"
#include "platform/ByteWriter.h"

namespace {

std::size_t maskRowBytes(std::int32_t width) { return static_cast<std::size_t>((width + 31) / 32) * 4; }

}  // namespace

std::size_t IconImage::colourRowsOffset() const {
    ByteReader in(bytes.data(), bytes.size());
    DibHeader h;
    if (!readDibHeader(in, h)) return bytes.size();
    const std::uint64_t offset = dibPixelOffset(h);
    return offset < bytes.size() ? static_cast<std::size_t>(offset) : bytes.size();
}

std::size_t IconImage::maskRowsOffset() const {
    ByteReader in(bytes.data(), bytes.size());
    DibHeader h;
    if (!readDibHeader(in, h) || height < 0) return bytes.size();
    const std::uint64_t colour = colourRowsOffset();
    const std::uint64_t rows = dibRowBytes(h);
    // rows < 2^34 and height < 2^31: no overflow.
    const std::uint64_t offset = colour + rows * static_cast<std::uint64_t>(height);
    return offset < bytes.size() ? static_cast<std::size_t>(offset) : bytes.size();
}

bool makeIconImage(IconImage& image, const std::string& source, bool stretch) {
    if (source.empty()) return false;
    try {
        const std::string converted = convertDib(source, image.width, image.height, image.bitsPerPixel, stretch);
        const std::optional<DibView> d = viewDib(converted);
        if (!d) {
            image.bytes.clear();
            return false;
        }
        DibHeader header = d->header;
        header.height *= 2;
        const std::size_t colourBytes = d->rowBytes * static_cast<std::size_t>(image.height);
        ByteWriter w;
        writeDibHeader(w, header);
        w.bytes(converted.data() + kDibHeaderSize, d->pixelOffset - kDibHeaderSize);
        w.bytes(converted.data() + d->pixelOffset, colourBytes);
        w.zeros(maskRowBytes(image.width) * static_cast<std::size_t>(image.height));
        image.bytes = w.take();
        return true;
    } catch (const std::bad_alloc&) {
        image.bytes.clear();
        image.bytes.shrink_to_fit();
        return false;
    }
}

bool makeMaskFromCorner(IconImage& image, int x, int y) {
    ByteReader in(image.bytes.data(), image.bytes.size());
    DibHeader header;
    if (!readDibHeader(in, header)) return false;
    const std::optional<DibView> dib = viewDib(image.bytes, header.height / 2);
    if (!dib) return false;
    const int width = dib->header.width, height = dib->header.height;
    if (x < 0 || y < 0 || x >= width || y >= height) return false;
    const std::size_t maskRow = maskRowBytes(width);
    const std::size_t maskOffset = dib->pixelOffset + dib->rowBytes * static_cast<std::size_t>(height);
    if (maskOffset > image.bytes.size() || maskRow * static_cast<std::size_t>(height) > image.bytes.size() - maskOffset)
        return false;

    auto* pixels = reinterpret_cast<unsigned char*>(image.bytes.data()) + dib->pixelOffset;
    auto* mask = reinterpret_cast<unsigned char*>(image.bytes.data()) + maskOffset;
    const Rgb key = pixelColour(*dib, readPixel(*dib, pixels, x, y));
    const std::uint32_t black = dib->header.bitCount == 1 ? 0 : colourToPixel(*dib, Rgb{});
    for (int col = 0; col < width; ++col) {
        for (int row = 0; row < height; ++row) {
            unsigned char& maskByte = mask[static_cast<std::size_t>(height - 1 - row) * maskRow + col / 8];
            const auto bit = static_cast<unsigned char>(0x80u >> (col % 8));
            if (pixelColour(*dib, readPixel(*dib, pixels, col, row)) == key) {
                maskByte = static_cast<unsigned char>(maskByte | bit);
                writePixel(*dib, pixels, col, row, black);
            } else {
                maskByte = static_cast<unsigned char>(maskByte & ~bit);
            }
        }
    }
    return true;
}
