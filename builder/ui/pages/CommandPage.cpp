// The command page (dialogs 105 and 122): executable name and folder, the
// VM choice, the main class and its arguments.

#include "builder/ui/Pages.h"

#include <algorithm>
#include <cctype>

#include "builder/ui/RelativePath.h"
#include "builder/ui/pages/PagePickers.h"
#include "builder/ui/pages/PageSupport.h"

namespace {

using namespace pages;

const char kJavaiFilter[] = "Java Virtual Machine (javai.dll)\0javai.dll\0";
const char kJvmFilter[] = "Java Virtual Machine (jvm.dll)\0jvm.dll\0";
const char kManifestFilter[] = "Manifest Files (*.manifest)\0*.manifest\0XML Files (*.xml)\0*.xml\0";
const char kJarFilter[] = "Jar Files (*.jar)\0*.jar\0";

// Where a produced program looks for a Java runtime, in order: the tool
// tip of "Use the System VM".
const char kJdk11SearchTip[] =
    "The program uses the JDK 1.1 runtime registered on the machine; without one it looks for javai.dll on the "
    "PATH.";
const char kJdk20SearchTip[] =
    "The program looks for Java in this order: the runtime registered for JDK 1.2; jvm.dll on the PATH; a jre, "
    "then a runtime folder beside the program; the folder JAVA_HOME names; the Java runtimes in the registry "
    "(JavaSoft, Eclipse Adoptium, Microsoft, Azul Zulu and others), newest first; java.exe on the PATH. A runtime "
    "of the other bitness (32-bit Java for a 64-bit program) is passed over.";
const char kConsoleProgramTip[] =
    "A console program: started from a command prompt it runs in that console, its output can be redirected and "
    "the caller gets its exit code; failures are written to standard error instead of message boxes.";
const char kManifestTip[] = "An application manifest (XML) the executable carries in place of Caskit's own.";
const char kEmbeddedJarTip[] =
    "A jar the executable carries inside itself, first on its class path; its Main-Class serves when no main "
    "class is named.";

// The settings beyond the original record that the JDK 2.0 page shows,
// copied from `from` through the setters.
void storeProgramSettings(Project& project, const ExtendedSettings& from) {
    project.setExtended(&ExtendedSettings::consoleProgram, from.consoleProgram);
    project.setExtended(&ExtendedSettings::manifestPath, from.manifestPath);
    project.setExtended(&ExtendedSettings::embeddedJar, from.embeddedJar);
}

class CommandPage {
public:
    CommandPage(HWND dialog, Project& project)
        : dialog_(dialog), project_(project), jdk20_(GetDlgItem(dialog, IDC_LOCATE_JVM) != nullptr) {}

    static INT_PTR CALLBACK procedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
        return dispatchPage<CommandPage>(dialog, message, wParam, lParam);
    }

    BOOL onInitDialog() {
        // Our own filling raises EN_CHANGE; it is not a change by the user.
        filling_ = true;
        showVmChoice(project_.userDefinedVm);
        setControlText(dialog_, IDC_VM_PATH, project_.userDefinedVm ? project_.vmLibraryPath() : std::string());
        showPathEnd();
        setControlText(dialog_, IDC_EXE_NAME, project_.exeName());
        setControlText(dialog_, IDC_EXE_FOLDER, project_.exeFolder());
        setControlText(dialog_, IDC_MAIN_CLASS, project_.mainClass());
        setControlText(dialog_, IDC_ARGUMENTS, project_.arguments());
        if (jdk20_) {
            setChecked(dialog_, IDC_CONSOLE_PROGRAM, project_.extended().consoleProgram);
            setControlText(dialog_, IDC_MANIFEST_PATH, project_.extended().manifestPath);
            setControlText(dialog_, IDC_EMBEDDED_JAR, project_.extended().embeddedJar);
            tips_ = addToolTips(dialog_, {{IDC_SYSTEM_VM, kJdk20SearchTip},
                                          {IDC_CONSOLE_PROGRAM, kConsoleProgramTip},
                                          {IDC_MANIFEST_PATH, kManifestTip},
                                          {IDC_EMBEDDED_JAR, kEmbeddedJarTip}});
        } else {
            tips_ = addToolTips(dialog_, {{IDC_SYSTEM_VM, kJdk11SearchTip}});
        }
        filling_ = false;
        return FALSE;
    }

    bool onCommand(int id, int code) {
        if (code == EN_CHANGE) return onEditChange(id);
        if (code != BN_CLICKED) return false;
        switch (id) {
        case IDC_SET_EXE_LOCATION: onSetLocation(); return true;
        case IDC_SYSTEM_VM: onChooseVm(false); return true;
        case IDC_USER_VM: onChooseVm(true); return true;
        case IDC_LOCATE_JAVAI:
        case IDC_LOCATE_JVM: onLocate(); return true;
        case IDC_LOCATE_MANIFEST:
            locateProjectFile(dialog_, project_, IDC_MANIFEST_PATH, &ExtendedSettings::manifestPath,
                              "Select Application Manifest", std::string(kManifestFilter, sizeof kManifestFilter),
                              "manifest");
            return true;
        case IDC_LOCATE_JAR:
            locateProjectFile(dialog_, project_, IDC_EMBEDDED_JAR, &ExtendedSettings::embeddedJar,
                              "Select Jar to Embed", std::string(kJarFilter, sizeof kJarFilter), "jar");
            return true;
        default: return false;
        }
    }

    bool onVerify() {
        std::string name = controlText(dialog_, IDC_EXE_NAME);
        std::string lower = name;
        std::transform(lower.begin(), lower.end(), lower.begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        if (!name.empty() && lower.find(".exe") == std::string::npos) {
            name += ".exe";
            filling_ = true;
            setControlText(dialog_, IDC_EXE_NAME, name);
            filling_ = false;
            project_.modified = true;
        }
        // The edits are stored as they stand, whatever notifications came.
        project_.setExeName(name);
        project_.setMainClass(controlText(dialog_, IDC_MAIN_CLASS));
        project_.setArguments(controlText(dialog_, IDC_ARGUMENTS));
        if (project_.userDefinedVm) project_.setVmLibraryPath(controlText(dialog_, IDC_VM_PATH));
        if (!jdk20_) return true;
        ExtendedSettings wanted = project_.extended();
        wanted.consoleProgram = isChecked(dialog_, IDC_CONSOLE_PROGRAM);
        wanted.manifestPath = controlText(dialog_, IDC_MANIFEST_PATH);
        wanted.embeddedJar = controlText(dialog_, IDC_EMBEDDED_JAR);
        return storeChecked(dialog_, project_, wanted, storeProgramSettings);
    }

    int helpId() const { return 1; }

private:
    int locateId() const { return jdk20_ ? IDC_LOCATE_JVM : IDC_LOCATE_JAVAI; }

    void showVmChoice(bool userDefined) {
        setChecked(dialog_, IDC_USER_VM, userDefined);
        setChecked(dialog_, IDC_SYSTEM_VM, !userDefined);
        enableControl(dialog_, IDC_VM_PATH, userDefined);
        enableControl(dialog_, locateId(), userDefined);
    }

    bool onEditChange(int id) {
        if (filling_) return true;
        std::string text = controlText(dialog_, id);
        switch (id) {
        case IDC_EXE_NAME: project_.setExeName(text); break;
        case IDC_VM_PATH:
            if (jdk20_ && text == project_.vmLibraryPath()) return true;
            project_.setVmLibraryPath(text);
            break;
        case IDC_MAIN_CLASS: project_.setMainClass(text); break;
        case IDC_ARGUMENTS: project_.setArguments(text); break;
        default: return false;
        }
        project_.modified = true;
        return true;
    }

    void onSetLocation() {
        FolderPickerResult chosen = pagePickers().folder(dialog_, "Select Directory", project_.exeFolder(), false, "");
        if (!chosen.chosen) return;
        project_.setExeFolder(chosen.folder);
        setControlText(dialog_, IDC_EXE_FOLDER, chosen.folder);
    }

    void onChooseVm(bool userDefined) {
        enableControl(dialog_, IDC_VM_PATH, userDefined);
        enableControl(dialog_, locateId(), userDefined);
        // Another VM choice is a change the user must be able to save.
        if (project_.userDefinedVm != userDefined) project_.modified = true;
        project_.userDefinedVm = userDefined;
        project_.setVmLibraryPath(userDefined ? controlText(dialog_, IDC_VM_PATH) : std::string());
    }

    void onLocate() {
        if (project_.exeFolder().empty()) {
            MessageBoxA(dialog_, "Please set the executable file path first.", "Error", MB_OK);
            return;
        }
        // A relative library is found by the produced program in its own
        // folder: the picker starts where that is.
        std::string initial = folderOfFile(project_.vmLibraryPath(), project_.exeFolder());
        std::string filter = jdk20_ ? std::string(kJvmFilter, sizeof kJvmFilter) : std::string(kJavaiFilter, sizeof kJavaiFilter);
        FilePickerResult chosen = pagePickers().file(dialog_, jdk20_ ? "Select jvm.dll" : "Select Javai.dll", filter,
                                                     "dll", initial, true, project_.exeFolder());
        if (!chosen.chosen) return;
        std::string path = pickedPath(chosen);
        project_.setVmLibraryPath(path);
        setControlText(dialog_, IDC_VM_PATH, path);
        showPathEnd();
    }

    // An edit cannot shorten its text with an ellipsis: the VM field scrolls
    // to the end of a long path instead, so that the file name is in view.
    void showPathEnd() {
        HWND edit = GetDlgItem(dialog_, IDC_VM_PATH);
        LPARAM end = GetWindowTextLengthA(edit);
        SendMessageA(edit, EM_SETSEL, static_cast<WPARAM>(end), end);
        SendMessageA(edit, EM_SCROLLCARET, 0, 0);
    }

    HWND dialog_;
    Project& project_;
    bool jdk20_;
    bool filling_ = false;
    OwnedWindow tips_;
};

}  // namespace

HWND createCommandPage(HWND container, Project* project, int dialogId) {
    if (dialogId != IDD_COMMAND_JDK11 && dialogId != IDD_COMMAND_JDK20) return nullptr;
    return createPage(container, project, dialogId, CommandPage::procedure);
}
