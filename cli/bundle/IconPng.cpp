#include "cli/bundle/IconPng.h"

#include <zlib.h>

#include <map>

#include "builder/engine/DibLayout.h"
#include "builder/engine/DibPixels.h"
#include "builder/engine/Globals.h"
#include "builder/engine/PngImage.h"

namespace bundle {

namespace {

void put32(std::string& out, std::uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8) out += static_cast<char>((v >> shift) & 0xff);
}

void chunk(std::string& out, const char* type, const std::string& data) {
    put32(out, static_cast<std::uint32_t>(data.size()));
    const std::string body = std::string(type, 4) + data;
    out += body;
    put32(out, static_cast<std::uint32_t>(
                   crc32(0, reinterpret_cast<const Bytef*>(body.data()), static_cast<uInt>(body.size()))));
}

// An 8-bit RGBA PNG of `rgba` rows, top row first.
std::string encodePng(int width, int height, const std::string& rgba) {
    std::string rows;
    for (int y = 0; y < height; ++y) rows += '\0' + rgba.substr(static_cast<std::size_t>(y) * width * 4, width * 4);
    uLongf packedSize = compressBound(static_cast<uLong>(rows.size()));
    std::string packed(packedSize, '\0');
    compress2(reinterpret_cast<Bytef*>(&packed[0]), &packedSize, reinterpret_cast<const Bytef*>(rows.data()),
              static_cast<uLong>(rows.size()), 9);
    packed.resize(packedSize);
    std::string header;
    put32(header, static_cast<std::uint32_t>(width));
    put32(header, static_cast<std::uint32_t>(height));
    header += std::string("\x08\x06\x00\x00\x00", 5);  // 8 bits, RGBA
    std::string png("\x89PNG\r\n\x1a\n", 8);
    chunk(png, "IHDR", header);
    chunk(png, "IDAT", packed);
    chunk(png, "IEND", std::string());
    return png;
}

// The pixels of a DIB icon image as RGBA, or empty.
std::string decodeDib(const IconImage& image) {
    std::optional<DibView> view = viewDib(image.bytes, image.height);
    if (!view) return std::string();
    const int w = view->header.width, h = image.height;
    const auto* pixels = reinterpret_cast<const unsigned char*>(image.bytes.data()) + view->pixelOffset;
    const std::size_t maskRow = static_cast<std::size_t>((w + 31) / 32) * 4;
    const std::size_t maskOffset = view->pixelOffset + view->rowBytes * static_cast<std::size_t>(h);
    const bool hasMask = maskOffset + maskRow * static_cast<std::size_t>(h) <= image.bytes.size();
    std::string rgba;
    bool anyAlpha = false;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const std::uint32_t value = readPixel(*view, pixels, x, y);
            const Rgb c = pixelColour(*view, value);
            unsigned alpha = view->header.bitCount == 32 ? value >> 24 : 255;
            anyAlpha = anyAlpha || alpha != 0;
            rgba += static_cast<char>(c.red);
            rgba += static_cast<char>(c.green);
            rgba += static_cast<char>(c.blue);
            rgba += static_cast<char>(alpha);
        }
    if (view->header.bitCount == 32 && anyAlpha) return rgba;
    // No alpha channel: the mask, bottom row first, 1 for transparent.
    for (int y = 0; y < h && hasMask; ++y)
        for (int x = 0; x < w; ++x) {
            const unsigned char bits = static_cast<unsigned char>(
                image.bytes[maskOffset + maskRow * static_cast<std::size_t>(h - 1 - y) + static_cast<std::size_t>(x / 8)]);
            rgba[(static_cast<std::size_t>(y) * w + x) * 4 + 3] = (bits >> (7 - x % 8)) & 1 ? '\0' : '\xff';
        }
    return rgba;
}

}  // namespace

std::vector<PngIcon> pngIcons(const std::vector<IconImage>& images) {
    std::map<int, std::pair<int, std::string>> bySize;  // size: depth, PNG
    for (const IconImage& image : images) {
        std::string png;
        int size = image.width, depth = image.bitsPerPixel;
        if (startsAsPng(image.bytes)) {
            std::optional<PngHeader> header = readPngHeader(image.bytes);
            if (!header || header->width != header->height) continue;
            png = image.bytes;
            size = static_cast<int>(header->width);
            depth = static_cast<int>(header->bitsPerPixel);
        } else {
            if (image.width != image.height) continue;
            const std::string rgba = decodeDib(image);
            if (rgba.empty()) continue;
            png = encodePng(image.width, image.height, rgba);
        }
        auto known = bySize.find(size);
        if (known == bySize.end() || known->second.first < depth) bySize[size] = {depth, png};
    }
    std::vector<PngIcon> icons;
    for (const auto& entry : bySize) icons.push_back(PngIcon{entry.first, entry.second.second});
    return icons;
}

}  // namespace bundle
