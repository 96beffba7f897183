#include "builder/engine/DibPixels.h"

namespace {

std::size_t rowStart(const DibView& dib, int yTop) {
    return static_cast<std::size_t>(dib.header.height - 1 - yTop) * dib.rowBytes;
}

}  // namespace

std::uint32_t readPixel(const DibView& dib, const unsigned char* pixels, int x, int yTop) {
    const unsigned char* row = pixels + rowStart(dib, yTop);
    const std::size_t ux = static_cast<std::size_t>(x);
    switch (dib.header.bitCount) {
    case 1: return (row[ux / 8] >> (7 - ux % 8)) & 1u;
    case 4: return ux % 2 ? row[ux / 2] & 0x0Fu : row[ux / 2] >> 4;
    case 8: return row[ux];
    case 16: return row[2 * ux] | (std::uint32_t{row[2 * ux + 1]} << 8);
    case 24: return row[3 * ux] | (std::uint32_t{row[3 * ux + 1]} << 8) | (std::uint32_t{row[3 * ux + 2]} << 16);
    default:
        return row[4 * ux] | (std::uint32_t{row[4 * ux + 1]} << 8) | (std::uint32_t{row[4 * ux + 2]} << 16) |
               (std::uint32_t{row[4 * ux + 3]} << 24);
    }
}

void writePixel(const DibView& dib, unsigned char* pixels, int x, int yTop, std::uint32_t value) {
    unsigned char* row = pixels + rowStart(dib, yTop);
    const std::size_t ux = static_cast<std::size_t>(x);
    switch (dib.header.bitCount) {
    case 1: {
        const unsigned char bit = static_cast<unsigned char>(0x80u >> (ux % 8));
        row[ux / 8] = static_cast<unsigned char>(value & 1 ? row[ux / 8] | bit : row[ux / 8] & ~bit);
        break;
    }
    case 4:
        if (ux % 2)
            row[ux / 2] = static_cast<unsigned char>((row[ux / 2] & 0xF0) | (value & 0x0F));
        else
            row[ux / 2] = static_cast<unsigned char>((row[ux / 2] & 0x0F) | ((value & 0x0F) << 4));
        break;
    case 8: row[ux] = static_cast<unsigned char>(value); break;
    case 16:
        row[2 * ux] = static_cast<unsigned char>(value);
        row[2 * ux + 1] = static_cast<unsigned char>(value >> 8);
        break;
    case 24:
        row[3 * ux] = static_cast<unsigned char>(value);
        row[3 * ux + 1] = static_cast<unsigned char>(value >> 8);
        row[3 * ux + 2] = static_cast<unsigned char>(value >> 16);
        break;
    default:
        for (int i = 0; i < 4; ++i) row[4 * ux + i] = static_cast<unsigned char>(value >> (8 * i));
        break;
    }
}

Rgb pixelColour(const DibView& dib, std::uint32_t v) {
    Rgb c;
    switch (dib.header.bitCount) {
    case 1: case 4: case 8: {
        if (v < dib.palette.size()) {
            c.red = dib.palette[v].red;
            c.green = dib.palette[v].green;
            c.blue = dib.palette[v].blue;
        }
        break;
    }
    case 16:
        c.red = static_cast<std::uint8_t>(((v >> 7) & 0xF8) | ((v >> 12) & 0x07));
        c.green = static_cast<std::uint8_t>(((v >> 2) & 0xF8) | ((v >> 7) & 0x07));
        c.blue = static_cast<std::uint8_t>(((v << 3) & 0xF8) | ((v >> 2) & 0x07));
        break;
    default:
        c.red = static_cast<std::uint8_t>(v >> 16);
        c.green = static_cast<std::uint8_t>(v >> 8);
        c.blue = static_cast<std::uint8_t>(v);
        break;
    }
    return c;
}

std::uint32_t nearestPaletteIndex(const std::vector<PaletteEntry>& palette, Rgb c) {
    std::uint32_t best = 0;
    std::uint32_t bestDiff = 0xFFFFFFFFu;
    for (std::size_t i = 0; i < palette.size(); ++i) {
        const int dr = int{c.red} - palette[i].red;
        const int dg = int{c.green} - palette[i].green;
        const int db = int{c.blue} - palette[i].blue;
        const std::uint32_t diff = static_cast<std::uint32_t>(dr * dr + dg * dg + db * db);
        if (diff == 0) return static_cast<std::uint32_t>(i);
        if (diff < bestDiff) {
            bestDiff = diff;
            best = static_cast<std::uint32_t>(i);
        }
    }
    return best;
}

std::uint32_t colourToPixel(const DibView& dib, Rgb c) {
    switch (dib.header.bitCount) {
    case 1: case 4: case 8: return nearestPaletteIndex(dib.palette, c);
    case 16: return (std::uint32_t{c.red} >> 3) << 10 | (std::uint32_t{c.green} >> 3) << 5 | c.blue >> 3;
    default: return std::uint32_t{c.red} << 16 | std::uint32_t{c.green} << 8 | c.blue;
    }
}
