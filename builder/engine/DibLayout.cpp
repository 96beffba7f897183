#include "builder/engine/DibLayout.h"

#include "platform/ByteReader.h"
#include "platform/ByteWriter.h"

bool readDibHeader(ByteReader& in, DibHeader& h) {
    if (!in.need(kDibHeaderSize)) return false;
    h.size = in.u32();
    h.width = in.i32();
    h.height = in.i32();
    h.planes = in.u16();
    h.bitCount = in.u16();
    h.compression = in.u32();
    h.sizeImage = in.u32();
    h.xPelsPerMeter = in.i32();
    h.yPelsPerMeter = in.i32();
    h.clrUsed = in.u32();
    h.clrImportant = in.u32();
    return in.ok();
}

void writeDibHeader(ByteWriter& out, const DibHeader& h) {
    out.u32(h.size);
    out.i32(h.width);
    out.i32(h.height);
    out.u16(h.planes);
    out.u16(h.bitCount);
    out.u32(h.compression);
    out.u32(h.sizeImage);
    out.i32(h.xPelsPerMeter);
    out.i32(h.yPelsPerMeter);
    out.u32(h.clrUsed);
    out.u32(h.clrImportant);
}

std::uint32_t dibColourCount(const DibHeader& h) {
    std::uint32_t count = h.clrUsed;
    if (count == 0) {
        switch (h.bitCount) {
        case 1: count = 2; break;
        case 4: count = 16; break;
        case 8: count = 256; break;
        default: count = 0; break;
        }
    }
    return count & 0xFFFF;
}

std::uint64_t dibPaletteBytes(const DibHeader& h) { return 4ull * dibColourCount(h); }

std::uint64_t dibBitsPerPixel(const DibHeader& h) { return std::uint64_t{h.planes} * h.bitCount; }

std::uint64_t dibRowBytes(const DibHeader& h) {
    if (h.width < 0) return 0;
    // width < 2^31 and bits per pixel < 2^32: the product fits in 64 bits.
    return ((static_cast<std::uint64_t>(h.width) * dibBitsPerPixel(h) + 31) / 8) & ~std::uint64_t{3};
}

std::uint64_t dibPixelOffset(const DibHeader& h) { return std::uint64_t{h.size} + dibPaletteBytes(h); }

std::optional<DibView> viewDib(const std::string& bytes, std::optional<std::int32_t> heightOverride) {
    ByteReader in(bytes.data(), bytes.size());
    DibView v;
    if (!readDibHeader(in, v.header)) return std::nullopt;
    DibHeader& h = v.header;
    if (heightOverride) h.height = *heightOverride;
    if (h.size != kDibHeaderSize || h.planes != 1 || h.compression != 0) return std::nullopt;
    if (h.width < 1 || h.width > kMaxDibDimension || h.height < 1 || h.height > kMaxDibDimension)
        return std::nullopt;
    switch (h.bitCount) {
    case 1: case 4: case 8: case 16: case 24: case 32: break;
    default: return std::nullopt;
    }
    const std::uint64_t colours = dibColourCount(h);
    const std::uint64_t rows = dibRowBytes(h);
    const std::uint64_t pixelOffset = dibPixelOffset(h);
    if (pixelOffset > bytes.size() || rows * static_cast<std::uint64_t>(h.height) > bytes.size() - pixelOffset)
        return std::nullopt;
    if (h.bitCount <= 8) {
        v.palette.resize(std::size_t{1} << h.bitCount);
        const std::uint64_t carried = colours < v.palette.size() ? colours : v.palette.size();
        for (std::size_t i = 0; i < carried; ++i) {
            v.palette[i].blue = in.u8();
            v.palette[i].green = in.u8();
            v.palette[i].red = in.u8();
            v.palette[i].reserved = in.u8();
        }
        if (!in.ok()) return std::nullopt;
    }
    v.pixelOffset = static_cast<std::size_t>(pixelOffset);
    v.rowBytes = static_cast<std::size_t>(rows);
    return v;
}
