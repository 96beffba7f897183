#include "builder/engine/DibConversion.h"

#include <cstdint>

#include "builder/engine/DibLayout.h"
#include "builder/engine/DibPixels.h"
#include "builder/engine/SystemPalettes.h"
#include "platform/ByteWriter.h"

namespace {

bool supportedDepth(int bits) {
    switch (bits) {
    case 1: case 4: case 8: case 16: case 24: case 32: return true;
    default: return false;
    }
}

std::vector<PaletteEntry> targetPalette(int bits, const DibView& source) {
    std::vector<PaletteEntry> palette;
    if (bits == 1) {
        palette.resize(2);
        palette[1] = PaletteEntry{255, 255, 255, 0};
    } else if (bits == 4) {
        if (source.header.bitCount == 4) {
            palette = source.palette;
        } else {
            for (int i = 0; i < 16; ++i) palette.push_back(toPaletteQuad(defaultPalette()[i]));
        }
    } else if (bits == 8) {
        if (source.header.bitCount == 8) {
            palette = source.palette;
        } else {
            for (const SystemPaletteEntry& e : halftonePalette()) palette.push_back(toPaletteQuad(e));
        }
    }
    return palette;
}

std::vector<int> identityMap(int length) {
    std::vector<int> map(static_cast<std::size_t>(length));
    for (int i = 0; i < length; ++i) map[i] = i;
    return map;
}

std::vector<int> topLeftMap(int sourceLength, int targetLength) {
    std::vector<int> map(static_cast<std::size_t>(targetLength), -1);
    for (int i = 0; i < targetLength && i < sourceLength; ++i) map[i] = i;
    return map;
}

// Converts source pixels into target pixel values. Colours go into a
// palette by nearest match; the system matches the colours of 16, 24 and
// 32-bit sources into an 8-bit palette at 5 bits per channel (the low three
// bits set to the middle of their range), and every other pairing at full
// precision. Matches are cached per source colour (reduced or palette
// index).
class PixelConverter {
public:
    PixelConverter(const DibView& source, const DibView& target) : source_(source), target_(target) {
        const int bits = target.header.bitCount;
        copyIndices_ = bits <= 8 && source.header.bitCount == bits && source.palette == target.palette;
        reduce_ = bits == 8 && source.header.bitCount > 8;
        if (bits <= 8 && !copyIndices_) cache_.assign(reduce_ ? 1u << 15 : source.palette.size(), -1);
    }

    std::uint32_t convert(std::uint32_t sourceValue) {
        if (copyIndices_) return sourceValue;
        const Rgb c = pixelColour(source_, sourceValue);
        if (target_.header.bitCount > 8) return colourToPixel(target_, c);
        if (!reduce_) {
            if (sourceValue >= cache_.size()) return nearestPaletteIndex(target_.palette, c);
            if (cache_[sourceValue] < 0)
                cache_[sourceValue] = static_cast<std::int32_t>(nearestPaletteIndex(target_.palette, c));
            return static_cast<std::uint32_t>(cache_[sourceValue]);
        }
        const std::size_t key = (std::size_t{c.red} >> 3) << 10 | (std::size_t{c.green} >> 3) << 5 | c.blue >> 3;
        if (cache_[key] < 0) {
            const Rgb reduced{static_cast<std::uint8_t>((c.red & ~7) + 4), static_cast<std::uint8_t>((c.green & ~7) + 4),
                              static_cast<std::uint8_t>((c.blue & ~7) + 4)};
            cache_[key] = static_cast<std::int32_t>(nearestPaletteIndex(target_.palette, reduced));
        }
        return static_cast<std::uint32_t>(cache_[key]);
    }

private:
    const DibView& source_;
    const DibView& target_;
    bool copyIndices_ = false;
    bool reduce_ = false;
    std::vector<std::int32_t> cache_;
};

}  // namespace

std::vector<int> stretchMap(int sourceLength, int targetLength, bool lastWins) {
    std::vector<int> map(static_cast<std::size_t>(targetLength > 0 ? targetLength : 0), -1);
    if (sourceLength <= 0 || targetLength <= 0) return map;
    // A one-pixel target takes its pixel from one pixel less of the source.
    if (targetLength == 1 && sourceLength > 1) --sourceLength;
    const long long dx = sourceLength, dy = targetLength;
    if (dx > dy) {
        long long err = 3 * dy - 2 * dx;
        int t = 0;
        for (int s = 0; s < sourceLength && t < targetLength; ++s) {
            if (lastWins || map[t] < 0) map[t] = s;
            if (err > 0) {
                ++t;
                err += 2 * dy - 2 * dx;
            } else {
                err += 2 * dy;
            }
        }
    } else {
        long long err = 3 * dx - 2 * dy;
        int s = 0;
        for (int t = 0; t < targetLength; ++t) {
            map[t] = s < sourceLength ? s : sourceLength - 1;
            if (err > 0) {
                ++s;
                err += 2 * dx - 2 * dy;
            } else {
                err += 2 * dx;
            }
        }
    }
    return map;
}

std::string convertDib(const std::string& source, int width, int height, int bitsPerPixel, bool stretch) {
    const std::optional<DibView> src = viewDib(source);
    if (!src) return std::string();
    if (width < 1 || width > kMaxDibDimension || height < 1 || height > kMaxDibDimension ||
        !supportedDepth(bitsPerPixel))
        return std::string();

    DibView dst;
    dst.header.size = kDibHeaderSize;
    dst.header.width = width;
    dst.header.height = height;
    dst.header.planes = 1;
    dst.header.bitCount = static_cast<std::uint16_t>(bitsPerPixel);
    dst.palette = targetPalette(bitsPerPixel, *src);
    dst.rowBytes = static_cast<std::size_t>(dibRowBytes(dst.header));

    const int sw = src->header.width, sh = src->header.height;
    std::vector<int> columns, rows;
    if (width == sw && height == sh) {
        columns = identityMap(width);
        rows = identityMap(height);
    } else if (stretch) {
        columns = stretchMap(sw, width, true);
        rows = stretchMap(sh, height, false);
    } else {
        columns = topLeftMap(sw, width);
        rows = topLeftMap(sh, height);
    }

    std::string pixels(dst.rowBytes * static_cast<std::size_t>(height), '\0');
    auto* out = reinterpret_cast<unsigned char*>(pixels.data());
    const auto* in = reinterpret_cast<const unsigned char*>(source.data()) + src->pixelOffset;
    PixelConverter converter(*src, dst);
    for (int y = 0; y < height; ++y) {
        if (rows[y] < 0) continue;
        for (int x = 0; x < width; ++x) {
            if (columns[x] < 0) continue;
            writePixel(dst, out, x, y, converter.convert(readPixel(*src, in, columns[x], rows[y])));
        }
    }

    ByteWriter w;
    writeDibHeader(w, dst.header);
    for (const PaletteEntry& e : dst.palette) {
        w.u8(e.blue);
        w.u8(e.green);
        w.u8(e.red);
        w.u8(e.reserved);
    }
    w.bytes(pixels);
    return w.take();
}
