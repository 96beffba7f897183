// The icon page (dialog 102): the images of the large and small icons.

#include <utility>

#include "builder/engine/IconLoading.h"
#include "builder/ui/BoxReporter.h"
#include "builder/ui/Owned.h"
#include "builder/ui/Pages.h"
#include "builder/ui/pages/PagePickers.h"
#include "builder/ui/pages/PageSupport.h"

namespace {

using namespace pages;

const char kImageFilter[] = "Bitmap Files(*.bmp)\0*.bmp\0Icon Files (*.ico)\0*.ico\0Cursor Files (*.cur)\0*.cur\0";

class IconPage {
public:
    IconPage(HWND dialog, Project& project) : dialog_(dialog), project_(project) {}

    static INT_PTR CALLBACK procedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
        return dispatchPage<IconPage>(dialog, message, wParam, lParam);
    }

    BOOL onInitDialog() {
        setControlText(dialog_, IDC_LARGE_ICON_PATH, project_.largeIconPath());
        showPreview(true);
        setControlText(dialog_, IDC_SMALL_ICON_PATH, project_.smallIconPath());
        showPreview(false);
        return FALSE;
    }

    bool onCommand(int id, int code) {
        if (code != BN_CLICKED) return false;
        if (id == IDC_LOCATE_LARGE_ICON) onLocate(true);
        else if (id == IDC_LOCATE_SMALL_ICON) onLocate(false);
        else return false;
        return true;
    }

    bool onVerify() {
        storeImage(true, controlText(dialog_, IDC_LARGE_ICON_PATH));
        storeImage(false, controlText(dialog_, IDC_SMALL_ICON_PATH));
        return true;
    }

    int helpId() const { return 9; }

private:
    void onLocate(bool large) {
        FilePickerResult chosen = pagePickers().file(dialog_, "Select Image File",
                                                     std::string(kImageFilter, sizeof kImageFilter), "ico", "",
                                                     false, "");
        if (!chosen.chosen) return;
        std::string path = chosen.folder + chosen.fileName;
        setControlText(dialog_, large ? IDC_LARGE_ICON_PATH : IDC_SMALL_ICON_PATH, path);
        project_.modified = true;
        storeImage(large, path);
    }

    // Stores the path and loads its image. An image the engine cannot read
    // leaves the project without that icon image (the engine would keep
    // the previous one), and the preview shows the default icon; a
    // bitmap's problem is shown in a box captioned with its path.
    void storeImage(bool large, const std::string& path) {
        if (path == (large ? project_.largeIconPath() : project_.smallIconPath())) return;
        BoxReporter boxes(nullptr);
        const IconLoad load = loadIcon(project_, large ? IconSlot::Large : IconSlot::Small, path, &boxes);
        if (!load.ok && large) project_.setLargeIcon();
        else if (!load.ok) project_.setSmallIcon();
        showPreview(large);
    }

    // Each preview icon the project gives is ours; the page keeps the one
    // shown and releases it when it is replaced or the page is destroyed.
    void showPreview(bool large) {
        OwnedIcon icon(static_cast<HICON>(large ? project_.largeIconHandle() : project_.smallIconHandle()));
        if (!icon) return;
        SendDlgItemMessageA(dialog_, large ? IDC_LARGE_ICON_PREVIEW : IDC_SMALL_ICON_PREVIEW, STM_SETICON,
                            reinterpret_cast<WPARAM>(icon.get()), 0);
        (large ? largePreview_ : smallPreview_) = std::move(icon);
    }

    HWND dialog_;
    Project& project_;
    OwnedIcon largePreview_;
    OwnedIcon smallPreview_;
};

}  // namespace

HWND createIconPage(HWND container, Project* project) {
    return createPage(container, project, IDD_ICON_PAGE, IconPage::procedure);
}
