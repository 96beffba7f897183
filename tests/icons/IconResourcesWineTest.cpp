// Writes icon resources into copies of a small program with the real
// resource-update calls, checks the error path, runs the copies, and shows
// the icons with the system's own icon code. The bytes written are left in
// the output folder for the pefile check.
#include <windows.h>

#include <cstdio>
#include <string>

#include "builder/engine/IconLoading.h"
#include "builder/engine/IconImageBuilder.h"
#include "builder/engine/IconGroupDirectory.h"
#include "builder/engine/IconPreview.h"
#include "builder/engine/IconResources.h"
#include "builder/engine/Project.h"
#include "tests/icons/TestFileBytes.h"
#include "tests/icons/TestPictures.h"
#include "tests/support/FileBytes.h"

namespace {

using caskit_test::writeFile;

int failures = 0;

void check(bool ok, const std::string& what) {
    std::printf("%s %s\n", ok ? "ok  " : "FAIL", what.c_str());
    if (!ok) ++failures;
}

IconImage makeImage(std::uint16_t id, int size, const std::string& source) {
    IconImage image;
    image.id = id;
    image.width = size;
    image.height = size;
    image.bitsPerPixel = 8;
    makeIconImage(image, source, true);
    makeMaskFromCorner(image, 0, 0);
    return image;
}

DWORD runProgram(const std::string& path) {
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    std::string commandLine = "\"" + path + "\"";
    if (!CreateProcessA(path.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
        return 0xFFFFFFFF;
    WaitForSingleObject(pi.hProcess, 30000);
    DWORD code = 0xFFFFFFFF;
    GetExitCodeProcess(pi.hProcess, &code);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return code;
}

// Draws the icon on a background and compares every pixel with what the
// image says: the background where the mask is set, the palette colour of
// the colour pixel elsewhere.
void checkDrawnIcon(HICON icon, const IconImage& image, const std::string& what) {
    const int size = image.width;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = size;
    info.bmiHeader.biHeight = -size;  // top-down, for easy indexing
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HDC screen = GetDC(nullptr);
    HBITMAP section = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HDC dc = CreateCompatibleDC(screen);
    HGDIOBJ old = SelectObject(dc, section);
    const DWORD background = 0x00123456;
    auto* px = static_cast<DWORD*>(bits);
    for (int i = 0; i < size * size; ++i) px[i] = background;
    const BOOL drawn = DrawIconEx(dc, 0, 0, icon, size, size, 0, nullptr, DI_NORMAL);
    GdiFlush();
    const std::size_t colour = image.colourRowsOffset(), mask = image.maskRowsOffset();
    const std::size_t maskRow = static_cast<std::size_t>((size + 31) / 32) * 4;
    int wrong = 0;
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const int stored = size - 1 - y;
            const bool transparent =
                (static_cast<unsigned char>(image.bytes[mask + stored * maskRow + x / 8]) >> (7 - x % 8)) & 1;
            const unsigned char index = static_cast<unsigned char>(image.bytes[colour + stored * size + x]);
            const unsigned char* quad = reinterpret_cast<const unsigned char*>(image.bytes.data()) + 40 + 4 * index;
            const DWORD expected = transparent ? background : (DWORD{quad[2]} << 16 | DWORD{quad[1]} << 8 | quad[0]);
            if ((px[y * size + x] & 0xFFFFFF) != expected) ++wrong;
        }
    }
    check(drawn && wrong == 0, what + " draws as its colour and mask say (" + std::to_string(wrong) + " wrong)");
    SelectObject(dc, old);
    DeleteDC(dc);
    DeleteObject(section);
    ReleaseDC(nullptr, screen);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) return 2;
    const std::string sample = argv[1];
    const std::string out = argv[2];
    CreateDirectoryA(out.c_str(), nullptr);

    const std::string picture = testpics::blockDib(48, 48, 24, 21);
    const IconImage large = makeImage(0, 32, picture);
    const IconImage small = makeImage(1, 16, picture);
    check(large.size() == 2216 && small.size() == 1384, "image sizes 2216 and 1384");
    writeFile(out + "\\large.bin", large.bytes);
    writeFile(out + "\\small.bin", small.bytes);
    writeFile(out + "\\group_both.bin", buildIconGroupDirectory({&large, &small}, 0));
    writeFile(out + "\\group_small.bin", buildIconGroupDirectory({&small}, 0));

    const std::string both = out + "\\both.exe", onlySmall = out + "\\small.exe";
    check(CopyFileA(sample.c_str(), both.c_str(), FALSE) && CopyFileA(sample.c_str(), onlySmall.c_str(), FALSE),
          "sample copied");
    try {
        check(writeIconResources({&large, &small}, both, 0), "large and small written");
        check(writeIconResources({&small}, onlySmall, 0), "small alone written");
    } catch (const XException& e) {
        check(false, std::string("unexpected error: ") + e.what());
    }
    try {
        writeIconResources({&large}, out + "\\missing\\none.exe", 0);
        check(false, "missing target raises");
    } catch (const XMemoryException&) {
        check(false, "missing target raises the right error");
    } catch (const XException& e) {
        check(std::string(e.what()) == "exe not found", "missing target: exe not found");
    }
    // An image without bytes would delete its resource: nothing is written.
    const std::string discarded = out + "\\discarded.exe";
    CopyFileA(sample.c_str(), discarded.c_str(), FALSE);
    IconImage noBytes;
    noBytes.id = 1;
    check(!writeIconResources({&large, &noBytes}, discarded, 0), "image without bytes refused");
    if (HMODULE module = LoadLibraryExA(discarded.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE)) {
        check(!FindResourceExA(module, MAKEINTRESOURCEA(3), MAKEINTRESOURCEA(0), 0), "refused update was discarded");
        FreeLibrary(module);
    }

    check(runProgram(both) == 7, "program with both icons still runs");
    check(runProgram(onlySmall) == 7, "program with the small icon still runs");

    // The produced file's first icon group is group 0.
    if (HMODULE module = LoadLibraryExA(both.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE)) {
        HRSRC group = FindResourceExA(module, MAKEINTRESOURCEA(14), MAKEINTRESOURCEA(0), 0);
        check(group && SizeofResource(module, group) == 6 + 2 * 14, "group 0 found, 34 bytes");
        FreeLibrary(module);
    } else {
        check(false, "produced file loads as data");
    }

    // Preview icons: the system makes both sizes and draws them right.
    for (const IconImage* image : {&large, &small}) {
        const std::string name = image == &large ? "large" : "small";
        HICON icon = static_cast<HICON>(iconHandleFor(image));
        check(icon != nullptr, name + " preview icon made");
        if (!icon) continue;
        ICONINFO info{};
        BITMAP bm{};
        const bool sized = GetIconInfo(icon, &info) && GetObjectA(info.hbmMask, sizeof bm, &bm) &&
                           bm.bmWidth == image->width;
        check(sized, name + " preview icon is " + std::to_string(image->width) + " wide");
        if (info.hbmColor) DeleteObject(info.hbmColor);
        if (info.hbmMask) DeleteObject(info.hbmMask);
        checkDrawnIcon(icon, *image, name);
        DestroyIcon(icon);
    }
    IconImage empty;
    check(iconHandleFor(nullptr) == nullptr && iconHandleFor(&empty) == nullptr, "no preview without image bytes");

    // The project's slots through a bitmap file.
    const std::string bmp = out + "\\logo.bmp";
    writeFile(bmp, testfiles::bitmapFile(picture, 54));
    Project project(true);
    loadIcon(project, IconSlot::Large, bmp);
    loadIcon(project, IconSlot::Small, bmp);
    check(project.largeIcon() && project.largeIcon()->bytes == large.bytes, "project large slot from the bitmap");
    check(project.smallIcon() && project.smallIcon()->bytes == small.bytes, "project small slot from the bitmap");
    HICON largeHandle = static_cast<HICON>(project.largeIconHandle());
    HICON smallHandle = static_cast<HICON>(project.smallIconHandle());
    check(largeHandle && smallHandle, "project preview handles");
    if (largeHandle) DestroyIcon(largeHandle);
    if (smallHandle) DestroyIcon(smallHandle);

    std::printf("%d failure(s)\n", failures);
    return failures ? 1 : 0;
}
