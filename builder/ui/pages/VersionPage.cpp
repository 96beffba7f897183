// The version page (dialog 101): the numbers and texts of the version block.

#include <windows.h>

#include <commctrl.h>

#include <cstdint>

#include "builder/ui/Pages.h"
#include "builder/ui/pages/PageSupport.h"

namespace {

using namespace pages;

const int kFileParts[4] = {IDC_FILE_VERSION_1, IDC_FILE_VERSION_2, IDC_FILE_VERSION_3, IDC_FILE_VERSION_4};
const int kProductParts[4] = {IDC_PRODUCT_VERSION_1, IDC_PRODUCT_VERSION_2, IDC_PRODUCT_VERSION_3,
                              IDC_PRODUCT_VERSION_4};
const int kSpins[8] = {IDC_FILE_VERSION_1_SPIN,    IDC_FILE_VERSION_2_SPIN,    IDC_FILE_VERSION_3_SPIN,
                       IDC_FILE_VERSION_4_SPIN,    IDC_PRODUCT_VERSION_1_SPIN, IDC_PRODUCT_VERSION_2_SPIN,
                       IDC_PRODUCT_VERSION_3_SPIN, IDC_PRODUCT_VERSION_4_SPIN};

const char kDescriptionTip[] =
    "What Windows shows as the program's name (Task Manager, the file's Properties). Empty: the exe name followed "
    "by \", built by Tallowmark Inc's, Caskit\".";
const char kProductNameTip[] = "The product the program belongs to. Empty: the exe name.";

// The texts beyond the original record that the page shows, copied from
// `from` through the setters.
void storeVersionTexts(Project& project, const ExtendedSettings& from) {
    project.setExtended(&ExtendedSettings::fileDescription, from.fileDescription);
    project.setExtended(&ExtendedSettings::productName, from.productName);
}

class VersionPage {
public:
    VersionPage(HWND dialog, Project& project) : dialog_(dialog), project_(project) {}

    static INT_PTR CALLBACK procedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
        return dispatchPage<VersionPage>(dialog, message, wParam, lParam);
    }

    BOOL onInitDialog() {
        for (int spin : kSpins) SendDlgItemMessageA(dialog_, spin, UDM_SETRANGE32, 0, 99);
        // Every project shown with this page gets a version block; that
        // alone is no change by the user.
        project_.versionInfoEnabled = true;
        std::int16_t parts[4];
        project_.getFileVersion(parts[0], parts[1], parts[2], parts[3]);
        showParts(kFileParts, parts);
        project_.getProductVersion(parts[0], parts[1], parts[2], parts[3]);
        showParts(kProductParts, parts);
        setControlText(dialog_, IDC_COMPANY_NAME, project_.companyName());
        setControlText(dialog_, IDC_LEGAL_COPYRIGHT, project_.legalCopyright());
        setControlText(dialog_, IDC_LEGAL_TRADEMARKS, project_.legalTrademarks());
        setControlText(dialog_, IDC_COMMENTS, project_.comments());
        setControlText(dialog_, IDC_FILE_DESCRIPTION, project_.extended().fileDescription);
        setControlText(dialog_, IDC_PRODUCT_NAME, project_.extended().productName);
        tips_ = addToolTips(dialog_, {{IDC_FILE_DESCRIPTION, kDescriptionTip}, {IDC_PRODUCT_NAME, kProductNameTip}});
        return FALSE;
    }

    // The up-down controls change only the number statics; everything is
    // stored on PAGE_VERIFY.
    bool onCommand(int, int) { return false; }

    bool onVerify() {
        std::int16_t file[4];
        std::int16_t product[4];
        readParts(kFileParts, file);
        readParts(kProductParts, product);
        project_.setFileVersion(file[0], file[1], file[2], file[3]);
        project_.setProductVersion(product[0], product[1], product[2], product[3]);
        project_.setCompanyName(controlText(dialog_, IDC_COMPANY_NAME));
        project_.setLegalCopyright(controlText(dialog_, IDC_LEGAL_COPYRIGHT));
        project_.setLegalTrademarks(controlText(dialog_, IDC_LEGAL_TRADEMARKS));
        project_.setComments(controlText(dialog_, IDC_COMMENTS));
        ExtendedSettings wanted = project_.extended();
        wanted.fileDescription = controlText(dialog_, IDC_FILE_DESCRIPTION);
        wanted.productName = controlText(dialog_, IDC_PRODUCT_NAME);
        return storeChecked(dialog_, project_, wanted, storeVersionTexts);
    }

    int helpId() const { return 8; }

private:
    void showParts(const int (&ids)[4], const std::int16_t (&parts)[4]) {
        for (int i = 0; i < 4; ++i) {
            setControlText(dialog_, ids[i], std::to_string(static_cast<std::uint16_t>(parts[i])));
        }
    }

    void readParts(const int (&ids)[4], std::int16_t (&parts)[4]) {
        for (int i = 0; i < 4; ++i) parts[i] = static_cast<std::int16_t>(readUnsigned(dialog_, ids[i]));
    }

    HWND dialog_;
    Project& project_;
    OwnedWindow tips_;
};

}  // namespace

HWND createVersionPage(HWND container, Project* project) {
    // The up-down class: InitCommonControls registers it on every system
    // (InitCommonControlsEx needs a newer comctl32 than Windows 95 has).
    InitCommonControls();
    return createPage(container, project, IDD_VERSION_PAGE, VersionPage::procedure);
}
