// The runtime page (JDK 2.0 projects): VM options, the range of Java
// versions the program accepts, where to get Java, the start-up cache, the
// folder the program works in, and what desktop programs ask for: one
// instance, a splash screen and a restart on an exit code.

#include "builder/engine/SettingChecks.h"
#include "builder/ui/Pages.h"
#include "builder/ui/pages/PagePickers.h"
#include "builder/ui/pages/PageSupport.h"

namespace {

using namespace pages;

const char kMinTip[] = "The lowest Java version the program runs on, such as 1.8, 11 or 17.0.2; older runtimes are "
                       "passed over. Empty: no lower bound.";
const char kMaxTip[] = "The highest Java version the program runs on; 21 allows every 21.x. Empty: no upper bound.";
const char kDownloadTip[] = "Where to get a suitable Java: offered when the program finds none.";
const char kCacheTip[] = "Java 13 and newer: the program keeps the classes it loads at start in a cache of each user "
                         "and starts faster on later runs.";
const char kCallerTip[] = "The program works in the folder it was started from, as java does. Relative class-path "
                          "entries still count from the executable's folder.";
const char kSingleInstanceTip[] = "One instance per user: a later start hands its current folder and arguments "
                                  "to the running one and ends.";
const char kInstanceIdTip[] = "The name that makes starts one program. Empty: the executable's path.";
const char kHandlerTip[] = "CLASS.METHOD of public static void METHOD(String folder, String[] args), called with "
                           "each later start's folder and arguments. Empty: Windows brings the window to the front.";
const char kSplashTip[] = "A PNG, GIF or JPEG stored inside the executable and shown before Java loads (relative to "
                          "the project file's folder); the program's first window closes it.";
const char kSplashTimeoutTip[] = "Close the splash screen after this many seconds (1 to 3600) even when no window "
                                 "has shown. Empty: at the first window.";
const char kRestartTip[] = "When the program ends with System.exit(N) (1 to 255), start it again with the same "
                           "arguments, at most 5 times within 60 seconds. Empty: never.";
const char kImageFilter[] = "Images (*.png; *.gif; *.jpg)\0*.png;*.gif;*.jpg;*.jpeg\0";

// What a number setting shows: nothing for off (0).
std::string numberText(std::uint32_t value) { return value ? std::to_string(value) : std::string(); }

// The settings this page shows, copied from `from` through the setters.
void storeRuntimeSettings(Project& project, const ExtendedSettings& from) {
    project.setExtended(&ExtendedSettings::jvmOptions, from.jvmOptions);
    project.setExtended(&ExtendedSettings::javaMinVersion, from.javaMinVersion);
    project.setExtended(&ExtendedSettings::javaMaxVersion, from.javaMaxVersion);
    project.setExtended(&ExtendedSettings::downloadUrl, from.downloadUrl);
    project.setExtended(&ExtendedSettings::startupCache, from.startupCache);
    project.setExtended(&ExtendedSettings::workingFolder, from.workingFolder);
    project.setExtended(&ExtendedSettings::singleInstance, from.singleInstance);
    project.setExtended(&ExtendedSettings::instanceId, from.instanceId);
    project.setExtended(&ExtendedSettings::instanceHandler, from.instanceHandler);
    project.setExtended(&ExtendedSettings::splashImage, from.splashImage);
    project.setExtended(&ExtendedSettings::splashTimeout, from.splashTimeout);
    project.setExtended(&ExtendedSettings::restartExitCode, from.restartExitCode);
}

class RuntimePage {
public:
    RuntimePage(HWND dialog, Project& project)
        : dialog_(dialog), project_(project), list_(GetDlgItem(dialog, IDC_VM_OPTION_LIST)) {}

    static INT_PTR CALLBACK procedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
        return dispatchPage<RuntimePage>(dialog, message, wParam, lParam);
    }

    BOOL onInitDialog() {
        const ExtendedSettings& settings = project_.extended();
        fillList(list_, project_, ProjectList::JvmOptions);
        setControlText(dialog_, IDC_JAVA_MIN, settings.javaMinVersion);
        setControlText(dialog_, IDC_JAVA_MAX, settings.javaMaxVersion);
        setControlText(dialog_, IDC_DOWNLOAD_URL, settings.downloadUrl);
        setChecked(dialog_, IDC_STARTUP_CACHE, settings.startupCache);
        // A folder this version does not know checks neither, and is kept;
        // the first button then keeps the tab stop of its template
        // (unchecking takes a radio button's tab stop away).
        setChecked(dialog_, IDC_FOLDER_CALLER, settings.workingFolder == 1);
        if (settings.workingFolder <= 1) setChecked(dialog_, IDC_FOLDER_EXECUTABLE, settings.workingFolder == 0);
        setChecked(dialog_, IDC_SINGLE_INSTANCE, settings.singleInstance);
        enableInstanceFields();
        setControlText(dialog_, IDC_INSTANCE_ID, settings.instanceId);
        setControlText(dialog_, IDC_INSTANCE_HANDLER, settings.instanceHandler);
        setControlText(dialog_, IDC_SPLASH_IMAGE, settings.splashImage);
        setControlText(dialog_, IDC_SPLASH_TIMEOUT, numberText(settings.splashTimeout));
        setControlText(dialog_, IDC_RESTART_EXIT_CODE, numberText(settings.restartExitCode));
        tips_ = addToolTips(dialog_, {{IDC_JAVA_MIN, kMinTip},
                                      {IDC_JAVA_MAX, kMaxTip},
                                      {IDC_DOWNLOAD_URL, kDownloadTip},
                                      {IDC_STARTUP_CACHE, kCacheTip},
                                      {IDC_FOLDER_CALLER, kCallerTip},
                                      {IDC_SINGLE_INSTANCE, kSingleInstanceTip},
                                      {IDC_INSTANCE_ID, kInstanceIdTip},
                                      {IDC_INSTANCE_HANDLER, kHandlerTip},
                                      {IDC_SPLASH_IMAGE, kSplashTip},
                                      {IDC_SPLASH_TIMEOUT, kSplashTimeoutTip},
                                      {IDC_RESTART_EXIT_CODE, kRestartTip}});
        return FALSE;
    }

    bool onCommand(int id, int code) {
        if (code != BN_CLICKED) return false;
        if (id == IDC_ADD_VM_OPTION) onAdd();
        else if (id == IDC_DELETE_VM_OPTION) onDelete();
        else if (id == IDC_SINGLE_INSTANCE) enableInstanceFields();
        else if (id == IDC_LOCATE_SPLASH)
            locateProjectFile(dialog_, project_, IDC_SPLASH_IMAGE, &ExtendedSettings::splashImage,
                              "Select Splash Image", std::string(kImageFilter, sizeof kImageFilter), "png");
        else return false;
        return true;
    }

    bool onVerify() {
        ExtendedSettings wanted = project_.extended();
        wanted.jvmOptions = nonEmptyLines(list_);
        wanted.javaMinVersion = controlText(dialog_, IDC_JAVA_MIN);
        wanted.javaMaxVersion = controlText(dialog_, IDC_JAVA_MAX);
        wanted.downloadUrl = controlText(dialog_, IDC_DOWNLOAD_URL);
        wanted.startupCache = isChecked(dialog_, IDC_STARTUP_CACHE);
        if (isChecked(dialog_, IDC_FOLDER_EXECUTABLE)) wanted.workingFolder = 0;
        else if (isChecked(dialog_, IDC_FOLDER_CALLER)) wanted.workingFolder = 1;
        wanted.singleInstance = isChecked(dialog_, IDC_SINGLE_INSTANCE);
        wanted.instanceId = controlText(dialog_, IDC_INSTANCE_ID);
        wanted.instanceHandler = controlText(dialog_, IDC_INSTANCE_HANDLER);
        wanted.splashImage = controlText(dialog_, IDC_SPLASH_IMAGE);
        if (!readNumber(IDC_SPLASH_TIMEOUT, &ExtendedSettings::splashTimeout, wanted) ||
            !readNumber(IDC_RESTART_EXIT_CODE, &ExtendedSettings::restartExitCode, wanted))
            return false;
        return storeChecked(dialog_, project_, wanted, storeRuntimeSettings);
    }

    int helpId() const { return 11; }

private:
    // The id and handler matter only to one instance; their texts stay
    // while it is off.
    void enableInstanceFields() {
        const bool on = isChecked(dialog_, IDC_SINGLE_INSTANCE);
        enableControl(dialog_, IDC_INSTANCE_ID, on);
        enableControl(dialog_, IDC_INSTANCE_HANDLER, on);
    }

    // The number typed in field `id` into `wanted`; false, after the
    // compile's message, for text that is no number the setting takes.
    // Text as the page showed it keeps the stored number, whatever it is.
    bool readNumber(int id, std::uint32_t ExtendedSettings::*field, ExtendedSettings& wanted) {
        const std::string typed = controlText(dialog_, id);
        if (typed == numberText(wanted.*field)) return true;
        std::optional<std::string> problem = settingNumberProblem(field, typed, wanted.*field);
        if (problem) refuseEntry(dialog_, id, *problem);
        return !problem;
    }

    // As the property page adds a pair: the field keeps its text, an entry
    // the compile would refuse is refused with its message.
    void onAdd() {
        std::string option = controlText(dialog_, IDC_VM_OPTION);
        if (option.empty()) return;
        if (std::optional<std::string> problem = jvmOptionProblem(option)) {
            refuseEntry(dialog_, IDC_VM_OPTION, *problem);
            return;
        }
        appendLine(list_, option);
        project_.modified = true;
    }

    void onDelete() {
        if (deleteSelectedLine(list_)) project_.modified = true;
    }

    HWND dialog_;
    Project& project_;
    HWND list_;
    OwnedWindow tips_;
};

}  // namespace

HWND createRuntimePage(HWND container, Project* project) {
    return createPage(container, project, IDD_RUNTIME_PAGE, RuntimePage::procedure);
}
