#pragma once
// The packed DIB layout shared by the bitmap reader, the icon reader and the
// conversions: a 40-byte information header, the palette (blue, green, red,
// reserved per colour), then the pixel rows, bottom row first.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

class ByteReader;
class ByteWriter;

constexpr std::size_t kDibHeaderSize = 40;
// Largest width or visible height accepted from a file or a caller. Icons
// are 16 or 32 pixels; a few thousand leaves room for any picture a user
// would scale down, and keeps every size below well inside 32 bits.
constexpr std::int32_t kMaxDibDimension = 4096;

// BITMAPINFOHEADER, field for field.
struct DibHeader {
    std::uint32_t size = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::uint16_t planes = 0;
    std::uint16_t bitCount = 0;
    std::uint32_t compression = 0;
    std::uint32_t sizeImage = 0;
    std::int32_t xPelsPerMeter = 0;
    std::int32_t yPelsPerMeter = 0;
    std::uint32_t clrUsed = 0;
    std::uint32_t clrImportant = 0;
};

// Reads the 40 header bytes; false (reader failed) when fewer remain.
bool readDibHeader(ByteReader& in, DibHeader& header);
void writeDibHeader(ByteWriter& out, const DibHeader& header);

// clrUsed when non-zero, else 2/16/256 for 1/4/8 bits and 0 otherwise,
// taken as a 16-bit number.
std::uint32_t dibColourCount(const DibHeader& header);
std::uint64_t dibPaletteBytes(const DibHeader& header);
// Bits per pixel as planes x bit count.
std::uint64_t dibBitsPerPixel(const DibHeader& header);
// ((width x bits per pixel + 31) / 8) rounded down to a multiple of 4;
// 0 for a negative width.
std::uint64_t dibRowBytes(const DibHeader& header);
// Header size + palette bytes.
std::uint64_t dibPixelOffset(const DibHeader& header);

struct PaletteEntry {
    std::uint8_t blue = 0, green = 0, red = 0, reserved = 0;
    bool operator==(const PaletteEntry& o) const {
        return blue == o.blue && green == o.green && red == o.red && reserved == o.reserved;
    }
};

// A checked view of a packed DIB in a byte string that the pixel work can
// use: uncompressed, one plane, 1/4/8/16/24/32 bits, dimensions between 1
// and kMaxDibDimension, and every palette entry and pixel row inside the
// bytes. `palette` always has 2^bits entries for 8 bits or less: entries
// the picture does not carry are black.
struct DibView {
    DibHeader header;
    std::vector<PaletteEntry> palette;
    std::size_t pixelOffset = 0;  // of the first (bottom) row in the bytes
    std::size_t rowBytes = 0;
};
// `heightOverride` (when set) replaces the header's height, for icon images
// whose header holds the doubled height.
std::optional<DibView> viewDib(const std::string& bytes, std::optional<std::int32_t> heightOverride = {});
