// The version page (dialog 101) and the icon page (dialog 102).

#include <cstdlib>

#include "builder/engine/IconLoading.h"
#include "builder/ui/Pages.h"
#include "tests/ui_pages/PageHarness.h"

using namespace harness;

namespace {

const int kFileParts[4] = {IDC_FILE_VERSION_1, IDC_FILE_VERSION_2, IDC_FILE_VERSION_3, IDC_FILE_VERSION_4};
const int kProductParts[4] = {IDC_PRODUCT_VERSION_1, IDC_PRODUCT_VERSION_2, IDC_PRODUCT_VERSION_3,
                              IDC_PRODUCT_VERSION_4};

// A click on the upper (lower) arrow of an up-down control.
void spin(HWND page, int id, bool up) {
    HWND control = GetDlgItem(page, id);
    RECT area = {};
    GetClientRect(control, &area);
    LPARAM at = MAKELPARAM(area.right / 2, up ? area.bottom / 4 : area.bottom * 3 / 4);
    SendMessageA(control, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageA(control, WM_LBUTTONUP, 0, at);
}

std::string parts(HWND page, const int (&ids)[4]) {
    return text(page, ids[0]) + "." + text(page, ids[1]) + "." + text(page, ids[2]) + "." + text(page, ids[3]);
}

HICON preview(HWND page, int id) {
    return reinterpret_cast<HICON>(SendDlgItemMessageA(page, id, STM_GETICON, 0, 0));
}

const char kImageFilterText[] =
    "Bitmap Files(*.bmp)\0*.bmp\0Icon Files (*.ico)\0*.ico\0Cursor Files (*.cur)\0*.cur\0";
const std::string kImageFilter(kImageFilterText, sizeof kImageFilterText);

}  // namespace

PAGE_TEST(versionPageEnablesBlockWithoutModifying) {
    Project project;
    resetProject(project, 1);
    project.setFileVersion(2, 3, 4, 5);
    project.setProductVersion(150, 0, 7, 0);
    project.setCompanyName("Acme");
    project.setComments("line one\r\nline two");
    project.modified = false;
    Page page(createVersionPage(container(), &project));
    CHECK_EQ(project.versionInfoEnabled, true);
    CHECK_EQ(project.modified, false);
    CHECK_EQ(parts(page.get(), kFileParts), "2.3.4.5");
    CHECK_EQ(parts(page.get(), kProductParts), "150.0.7.0");  // above the range: shown unchanged
    CHECK_EQ(text(page.get(), IDC_COMPANY_NAME), "Acme");
    CHECK_EQ(text(page.get(), IDC_COMMENTS), "line one\r\nline two");
    CHECK_EQ(helpId(page.get()), 8);
    CHECK_EQ(verify(page.get()), 1);
    CHECK_EQ(project.modified, false);
    std::int16_t a, b, c, d;
    project.getProductVersion(a, b, c, d);
    CHECK(a == 150 && b == 0 && c == 7 && d == 0);
}

PAGE_TEST(versionPageStoresNumbersAndTexts) {
    Project project;
    resetProject(project, 2);
    Page page(createVersionPage(container(), &project));
    CHECK_EQ(parts(page.get(), kFileParts), "1.0.0.0");
    spin(page.get(), IDC_FILE_VERSION_2_SPIN, true);
    spin(page.get(), IDC_FILE_VERSION_2_SPIN, true);
    spin(page.get(), IDC_FILE_VERSION_4_SPIN, true);
    spin(page.get(), IDC_PRODUCT_VERSION_1_SPIN, true);
    spin(page.get(), IDC_PRODUCT_VERSION_3_SPIN, true);
    spin(page.get(), IDC_PRODUCT_VERSION_3_SPIN, true);
    spin(page.get(), IDC_PRODUCT_VERSION_3_SPIN, false);
    spin(page.get(), IDC_PRODUCT_VERSION_4_SPIN, false);  // 0 is the lowest
    CHECK_EQ(parts(page.get(), kFileParts), "1.2.0.1");
    CHECK_EQ(parts(page.get(), kProductParts), "2.0.1.0");
    type(page.get(), IDC_COMPANY_NAME, "Acme Ltd");
    type(page.get(), IDC_LEGAL_COPYRIGHT, "(c) Acme");
    type(page.get(), IDC_LEGAL_TRADEMARKS, "Acme(tm)");
    type(page.get(), IDC_COMMENTS, "first\r\nsecond");
    CHECK_EQ(project.modified, false);  // nothing before PAGE_VERIFY
    CHECK_EQ(verify(page.get()), 1);
    std::int16_t a, b, c, d;
    project.getFileVersion(a, b, c, d);
    CHECK(a == 1 && b == 2 && c == 0 && d == 1);
    project.getProductVersion(a, b, c, d);
    CHECK(a == 2 && b == 0 && c == 1 && d == 0);
    CHECK_EQ(project.companyName(), "Acme Ltd");
    CHECK_EQ(project.legalCopyright(), "(c) Acme");
    CHECK_EQ(project.legalTrademarks(), "Acme(tm)");
    CHECK_EQ(project.comments(), "first\r\nsecond");
    CHECK_EQ(project.modified, true);
}

PAGE_TEST(iconPageShowsAndLocatesImages) {
    std::string bitmap = writeTempFile("caskit-page-icon.bmp", bitmapFile32());
    Project project;
    resetProject(project, 1);
    loadIcon(project, IconSlot::Large, bitmap);
    project.modified = false;
    Page page(createIconPage(container(), &project));
    CHECK_EQ(text(page.get(), IDC_LARGE_ICON_PATH), bitmap);
    CHECK_EQ(text(page.get(), IDC_SMALL_ICON_PATH), "");
    CHECK(preview(page.get(), IDC_LARGE_ICON_PREVIEW) != nullptr);
    CHECK_EQ(helpId(page.get()), 9);
    CHECK_EQ(verify(page.get()), 1);
    CHECK_EQ(project.modified, false);

    std::string folder = bitmap.substr(0, bitmap.rfind('\\') + 1);
    answerFilePicker(true, folder, "caskit-page-icon.bmp");
    HICON before = preview(page.get(), IDC_SMALL_ICON_PREVIEW);
    click(page.get(), IDC_LOCATE_SMALL_ICON);
    std::vector<PickerCall> calls = takePickerCalls();
    CHECK_EQ(calls.size(), 1u);
    if (calls.size() == 1) {
        CHECK(!calls[0].folder);
        CHECK_EQ(calls[0].title, "Select Image File");
        CHECK_EQ(calls[0].filter, kImageFilter);
        CHECK_EQ(calls[0].defaultExtension, "ico");
        CHECK_EQ(calls[0].initialFolder, "");
        CHECK_EQ(calls[0].pathingOptions, false);
    }
    CHECK_EQ(project.smallIconPath(), bitmap);
    CHECK(project.smallIcon() != nullptr);
    CHECK_EQ(text(page.get(), IDC_SMALL_ICON_PATH), bitmap);
    CHECK(preview(page.get(), IDC_SMALL_ICON_PREVIEW) != nullptr);
    CHECK(preview(page.get(), IDC_SMALL_ICON_PREVIEW) != before);
    CHECK_EQ(project.modified, true);

    answerFilePicker(false, folder, "other.bmp");
    click(page.get(), IDC_LOCATE_LARGE_ICON);
    CHECK_EQ(project.largeIconPath(), bitmap);
}

// The pixels of an icon's colour picture, to tell two icons apart.
std::string iconPixels(HICON icon) {
    ICONINFO info = {};
    if (!icon || !GetIconInfo(icon, &info)) return std::string();
    BITMAPINFO header = {};
    header.bmiHeader.biSize = sizeof header.bmiHeader;
    HDC dc = GetDC(nullptr);
    GetDIBits(dc, info.hbmColor, 0, 0, nullptr, &header, DIB_RGB_COLORS);
    header.bmiHeader.biBitCount = 32;
    header.bmiHeader.biCompression = BI_RGB;
    std::string pixels(static_cast<size_t>(header.bmiHeader.biWidth) * std::abs(header.bmiHeader.biHeight) * 4, '\0');
    GetDIBits(dc, info.hbmColor, 0, std::abs(header.bmiHeader.biHeight), &pixels[0], &header, DIB_RGB_COLORS);
    ReleaseDC(nullptr, dc);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    return pixels;
}

// A damaged icon file chosen after a good image: the page shows the
// default icon and the project has no picture left to compile in.
PAGE_TEST(iconPageDropsThePictureOfAnUnreadableImage) {
    std::string bitmap = writeTempFile("caskit-page-icon.bmp", bitmapFile32());
    std::string broken = writeTempFile("caskit-page-broken.ico", std::string("\0\0\1\0\7\0garbage", 13));
    Project project;
    resetProject(project, 1);
    loadIcon(project, IconSlot::Large, bitmap);
    Page page(createIconPage(container(), &project));
    HICON placeholder = static_cast<HICON>(LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(4), IMAGE_ICON, 32, 32, 0));
    CHECK(placeholder != nullptr);
    CHECK(iconPixels(preview(page.get(), IDC_LARGE_ICON_PREVIEW)) != iconPixels(placeholder));
    std::string folder = broken.substr(0, broken.rfind('\\') + 1);
    answerFilePicker(true, folder, "caskit-page-broken.ico");
    click(page.get(), IDC_LOCATE_LARGE_ICON);
    CHECK_EQ(project.largeIconPath(), broken);
    CHECK(project.largeIcon() == nullptr);
    CHECK(iconPixels(preview(page.get(), IDC_LARGE_ICON_PREVIEW)) == iconPixels(placeholder));
    DestroyIcon(placeholder);
}

PAGE_TEST(iconPageSurvivesUnreadableImages) {
    std::string broken = writeTempFile("caskit-page-broken.ico", std::string("\0\0\1\0\7\0garbage", 13));
    Project project;
    resetProject(project, 1);
    Page page(createIconPage(container(), &project));
    std::string folder = broken.substr(0, broken.rfind('\\') + 1);
    answerFilePicker(true, folder, "caskit-page-broken.ico");
    click(page.get(), IDC_LOCATE_LARGE_ICON);
    CHECK_EQ(text(page.get(), IDC_LARGE_ICON_PATH), broken);
    CHECK_EQ(project.largeIconPath(), broken);
    CHECK_EQ(project.modified, true);
    // Typed paths reach the engine on PAGE_VERIFY; the page still answers.
    SetDlgItemTextA(page.get(), IDC_SMALL_ICON_PATH, broken.c_str());
    CHECK_EQ(verify(page.get()), 1);
    CHECK_EQ(project.smallIconPath(), broken);
    CHECK_EQ(helpId(page.get()), 9);
    std::string bitmap = writeTempFile("caskit-page-icon.bmp", bitmapFile32());
    answerFilePicker(true, folder, "caskit-page-icon.bmp");
    click(page.get(), IDC_LOCATE_LARGE_ICON);
    CHECK_EQ(project.largeIconPath(), bitmap);
    CHECK(project.largeIcon() != nullptr);
}
