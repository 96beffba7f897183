#include "tests/icons/GdiReference.h"

#include <windows.h>

#include <cstring>

namespace {

struct ScreenDc {
    HDC dc = GetDC(nullptr);
    ~ScreenDc() {
        if (dc) ReleaseDC(nullptr, dc);
    }
};

std::vector<GdiPaletteEntry> entriesOf(HPALETTE palette) {
    std::vector<GdiPaletteEntry> out;
    UINT count = GetPaletteEntries(palette, 0, 0, nullptr);
    std::vector<PALETTEENTRY> pe(count);
    if (count) GetPaletteEntries(palette, 0, count, pe.data());
    for (const PALETTEENTRY& e : pe) out.push_back({e.peRed, e.peGreen, e.peBlue, e.peFlags});
    return out;
}

std::size_t rowBytesOf(const BITMAPINFOHEADER& h) {
    return ((static_cast<std::size_t>(h.biWidth) * h.biBitCount * h.biPlanes + 31) / 8) & ~std::size_t{3};
}

std::size_t colourCountOf(const BITMAPINFOHEADER& h) {
    std::size_t n = h.biClrUsed;
    if (!n) n = h.biBitCount == 1 ? 2 : h.biBitCount == 4 ? 16 : h.biBitCount == 8 ? 256 : 0;
    return n & 0xFFFF;
}

}  // namespace

std::vector<GdiPaletteEntry> gdiHalftonePalette() {
    ScreenDc screen;
    HPALETTE palette = CreateHalftonePalette(screen.dc);
    std::vector<GdiPaletteEntry> out = entriesOf(palette);
    DeleteObject(palette);
    return out;
}

std::vector<GdiPaletteEntry> gdiDefaultPalette() {
    return entriesOf(static_cast<HPALETTE>(GetStockObject(DEFAULT_PALETTE)));
}

std::string gdiConvertDib(const std::string& source, int width, int height, int bits, bool stretch) {
    BITMAPINFOHEADER sh;
    std::memcpy(&sh, source.data(), sizeof sh);
    const std::size_t sourcePixels = sh.biSize + 4 * colourCountOf(sh);

    struct {
        BITMAPINFOHEADER h;
        RGBQUAD colours[256];
    } target{};
    target.h.biSize = sizeof(BITMAPINFOHEADER);
    target.h.biWidth = width;
    target.h.biHeight = height;
    target.h.biPlanes = 1;
    target.h.biBitCount = static_cast<WORD>(bits);
    const int colours = bits <= 8 ? 1 << bits : 0;
    auto fromSystem = [&](const std::vector<GdiPaletteEntry>& entries) {
        for (int i = 0; i < colours && i < static_cast<int>(entries.size()); ++i)
            target.colours[i] = RGBQUAD{entries[i].blue, entries[i].green, entries[i].red, entries[i].flags};
    };
    if (bits == 1) {
        target.colours[1] = RGBQUAD{255, 255, 255, 0};
    } else if (bits == 4) {
        if (sh.biBitCount == 4) std::memcpy(target.colours, source.data() + sh.biSize, 16 * 4);
        else fromSystem(gdiDefaultPalette());
    } else if (bits == 8) {
        if (sh.biBitCount == 8) std::memcpy(target.colours, source.data() + sh.biSize, 256 * 4);
        else fromSystem(gdiHalftonePalette());
    }

    ScreenDc screen;
    void* sourceBits = nullptr;
    HBITMAP sourceSection = CreateDIBSection(screen.dc, reinterpret_cast<const BITMAPINFO*>(source.data()),
                                             DIB_RGB_COLORS, &sourceBits, nullptr, 0);
    void* targetBits = nullptr;
    HBITMAP targetSection = CreateDIBSection(screen.dc, reinterpret_cast<const BITMAPINFO*>(&target),
                                             DIB_RGB_COLORS, &targetBits, nullptr, 0);
    if (!sourceSection || !targetSection) return std::string();
    std::memcpy(sourceBits, source.data() + sourcePixels, rowBytesOf(sh) * sh.biHeight);
    HDC sourceDc = CreateCompatibleDC(screen.dc);
    HDC targetDc = CreateCompatibleDC(screen.dc);
    HGDIOBJ oldSource = SelectObject(sourceDc, sourceSection);
    HGDIOBJ oldTarget = SelectObject(targetDc, targetSection);
    if (sh.biBitCount <= 8)
        SetDIBColorTable(sourceDc, 0, 1u << sh.biBitCount,
                         reinterpret_cast<const RGBQUAD*>(source.data() + sh.biSize));
    if (bits <= 8) SetDIBColorTable(targetDc, 0, static_cast<UINT>(colours), target.colours);

    if (width == sh.biWidth && height == sh.biHeight) {
        BitBlt(targetDc, 0, 0, width, height, sourceDc, 0, 0, SRCCOPY);
    } else if (stretch) {
        SetStretchBltMode(targetDc, COLORONCOLOR);
        StretchBlt(targetDc, 0, 0, width, height, sourceDc, 0, 0, sh.biWidth, sh.biHeight, SRCCOPY);
    } else {
        BitBlt(targetDc, 0, 0, width, height, sourceDc, 0, 0, SRCCOPY);
    }
    GdiFlush();

    std::string out(reinterpret_cast<const char*>(&target.h), sizeof target.h);
    out.append(reinterpret_cast<const char*>(target.colours), 4 * static_cast<std::size_t>(colours));
    out.append(static_cast<const char*>(targetBits), rowBytesOf(target.h) * height);

    SelectObject(sourceDc, oldSource);
    SelectObject(targetDc, oldTarget);
    DeleteDC(sourceDc);
    DeleteDC(targetDc);
    DeleteObject(sourceSection);
    DeleteObject(targetSection);
    return out;
}

void gdiMakeMaskFromCorner(std::string& bytes, int width, int height) {
    auto* header = reinterpret_cast<BITMAPINFOHEADER*>(bytes.data());
    header->biHeight /= 2;
    const std::size_t colourRows = header->biSize + 4 * colourCountOf(*header);
    const std::size_t rowBytes = rowBytesOf(*header);
    const std::size_t maskRowBytes = ((width + 31) / 32) * 4;
    const std::size_t maskRows = colourRows + rowBytes * height;

    ScreenDc screen;
    void* bits = nullptr;
    HBITMAP section = CreateDIBSection(screen.dc, reinterpret_cast<const BITMAPINFO*>(bytes.data()),
                                       DIB_RGB_COLORS, &bits, nullptr, 0);
    std::memcpy(bits, bytes.data() + colourRows, rowBytes * height);
    HDC dc = CreateCompatibleDC(screen.dc);
    HGDIOBJ old = SelectObject(dc, section);
    const WORD bitCount = header->biBitCount;
    if (bitCount <= 8)
        SetDIBColorTable(dc, 0, 1u << bitCount, reinterpret_cast<const RGBQUAD*>(bytes.data() + header->biSize));

    const COLORREF key = GetPixel(dc, 0, 0);
    auto* pixels = static_cast<unsigned char*>(bits);
    for (int x = 0; x < width; ++x) {
        for (int y = 0; y < height; ++y) {
            unsigned char& maskByte = reinterpret_cast<unsigned char&>(
                bytes[maskRows + (height - 1 - y) * maskRowBytes + x / 8]);
            const unsigned char bit = static_cast<unsigned char>(0x80 >> (x % 8));
            if (GetPixel(dc, x, y) == key) {
                maskByte |= bit;
                if (bitCount == 1) {
                    GdiFlush();
                    pixels[(height - 1 - y) * rowBytes + x / 8] &= static_cast<unsigned char>(~bit);
                } else {
                    SetPixel(dc, x, y, RGB(0, 0, 0));
                }
            } else {
                maskByte &= static_cast<unsigned char>(~bit);
            }
        }
    }
    GdiFlush();
    std::memcpy(bytes.data() + colourRows, bits, rowBytes * height);
    header->biHeight *= 2;
    SelectObject(dc, old);
    DeleteDC(dc);
    DeleteObject(section);
}
