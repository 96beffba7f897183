// Reads a produced executable's resources back through the system's own
// loader, an independent reader of what caskit wrote:
//   resource_probe EXE [ICO]
// prints, for every resource a launcher carries, "resource TYPE ID LANG
// SIZE HEX" (FindResourceExA / LoadResource / SizeofResource), the version
// strings as VerQueryValueA finds them ("string KEY=VALUE"), and for each
// icon size the id the group directory picks and whether the system makes
// an icon of it ("icon SIZE ID ok|failed"). With ICO, the icon group 0
// loaded by LoadImageA at 48 and 256 pixels is compared pixel for pixel
// with the icon LoadImageA loads from the .ico file at that size
// ("loaded SIZE same|different|failed"). Exit code 0 when it could load
// the file as a module.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

std::string hex(const void* data, DWORD size) {
    std::string out;
    const unsigned char* p = static_cast<const unsigned char*>(data);
    char two[3];
    for (DWORD i = 0; i < size; ++i) {
        std::snprintf(two, sizeof two, "%02x", p[i]);
        out += two;
    }
    return out;
}

// The bytes of one resource, empty when missing.
std::string resource(HMODULE module, unsigned type, unsigned id, WORD language) {
    HRSRC found = FindResourceExA(module, MAKEINTRESOURCEA(type), MAKEINTRESOURCEA(id), language);
    if (!found) return std::string();
    HGLOBAL loaded = LoadResource(module, found);
    const void* data = loaded ? LockResource(loaded) : nullptr;
    DWORD size = SizeofResource(module, found);
    return data ? std::string(static_cast<const char*>(data), size) : std::string();
}

// The colour and mask pixels of an icon as 32-bit rows, empty on failure.
std::string iconPixels(HICON icon, int side) {
    ICONINFO info{};
    if (!icon || !GetIconInfo(icon, &info)) return std::string();
    std::string out;
    HDC screen = GetDC(nullptr);
    for (HBITMAP bitmap : {info.hbmColor, info.hbmMask}) {
        if (!bitmap) continue;
        BITMAPINFO format{};
        format.bmiHeader.biSize = sizeof format.bmiHeader;
        format.bmiHeader.biWidth = side;
        format.bmiHeader.biHeight = side;
        format.bmiHeader.biPlanes = 1;
        format.bmiHeader.biBitCount = 32;
        std::string rows(static_cast<std::size_t>(side) * side * 4, '\0');
        if (GetDIBits(screen, bitmap, 0, side, rows.data(), &format, DIB_RGB_COLORS) != side) rows.clear();
        out += rows;
        DeleteObject(bitmap);
    }
    ReleaseDC(nullptr, screen);
    return out;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2 && argc != 3) {
        std::fprintf(stderr, "usage: resource_probe EXE [ICO]\n");
        return 2;
    }
    HMODULE module = LoadLibraryExA(argv[1], nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (!module) {
        std::fprintf(stderr, "cannot load %s: error %lu\n", argv[1], GetLastError());
        return 1;
    }
    const struct {
        unsigned type, id;
        WORD language;
    } wanted[] = {{1000, 1, 0}, {1000, 2, 0}, {16, 1, 0}, {3, 0, 0}, {3, 1, 0}, {14, 0, 0}};
    for (const auto& w : wanted) {
        std::string bytes = resource(module, w.type, w.id, w.language);
        std::printf("resource %u %u %u %lu %s\n", w.type, w.id, w.language, static_cast<unsigned long>(bytes.size()),
                    hex(bytes.data(), static_cast<DWORD>(bytes.size())).c_str());
    }

    DWORD ignored = 0;
    DWORD size = GetFileVersionInfoSizeA(argv[1], &ignored);
    std::vector<char> info(size ? size : 1);
    if (size && GetFileVersionInfoA(argv[1], 0, size, info.data())) {
        for (const char* key : {"Comments", "CompanyName", "FileDescription", "FileVersion", "LegalCopyright",
                                "LegalTrademarks", "ProductName", "ProductVersion"}) {
            void* value = nullptr;
            UINT length = 0;
            std::string query = std::string("\\StringFileInfo\\040904B0\\") + key;
            if (VerQueryValueA(info.data(), query.c_str(), &value, &length) && value)
                std::printf("string %s=%s\n", key, static_cast<const char*>(value));
        }
    }

    std::string group = resource(module, 14, 0, 0);
    for (int side : {32, 16}) {
        if (group.empty()) break;
        int id = LookupIconIdFromDirectoryEx(reinterpret_cast<BYTE*>(group.data()), TRUE, side, side, LR_DEFAULTCOLOR);
        std::string image = resource(module, 3, static_cast<unsigned>(id), 0);
        HICON icon = image.empty() ? nullptr
                                   : CreateIconFromResourceEx(reinterpret_cast<BYTE*>(image.data()),
                                                              static_cast<DWORD>(image.size()), TRUE, 0x00030000,
                                                              side, side, LR_DEFAULTCOLOR);
        std::printf("icon %d %d %s\n", side, id, icon ? "ok" : "failed");
        if (icon) DestroyIcon(icon);
    }
    for (int side : {48, 256}) {
        if (argc != 3) break;
        HICON fromExe = static_cast<HICON>(LoadImageA(module, MAKEINTRESOURCEA(0), IMAGE_ICON, side, side, 0));
        HICON fromFile = static_cast<HICON>(LoadImageA(nullptr, argv[2], IMAGE_ICON, side, side, LR_LOADFROMFILE));
        const std::string exePixels = iconPixels(fromExe, side), filePixels = iconPixels(fromFile, side);
        std::printf("loaded %d %s\n", side,
                    exePixels.empty() || filePixels.empty() ? "failed" : exePixels == filePixels ? "same" : "different");
        if (fromExe) DestroyIcon(fromExe);
        if (fromFile) DestroyIcon(fromFile);
    }
    FreeLibrary(module);
    return 0;
}
