// The command pages (dialogs 105 and 122) driven as a user drives them.

#include "builder/ui/Pages.h"
#include "tests/ui_pages/PageHarness.h"

using namespace harness;

namespace {

const std::string kJavaiFilter("Java Virtual Machine (javai.dll)\0javai.dll\0", 44);
const std::string kJvmFilter("Java Virtual Machine (jvm.dll)\0jvm.dll\0", 40);

void fillProject(Project& project, int version) {
    resetProject(project, version);
    project.setExeName("tool.exe");
    project.setExeFolder("C:\\out\\");
    project.setMainClass("org.example.Main");
    project.setArguments("one\r\ntwo");
    project.userDefinedVm = true;
    project.setVmLibraryPath("C:\\jdk\\bin\\javai.dll");
    project.modified = false;
}

}  // namespace

PAGE_TEST(commandPageFillsWithoutModifying) {
    for (int dialog : {IDD_COMMAND_JDK11, IDD_COMMAND_JDK20}) {
        Project project;
        fillProject(project, dialog == IDD_COMMAND_JDK11 ? 1 : 2);
        Page page(createCommandPage(container(), &project, dialog));
        CHECK(page.get() != nullptr);
        CHECK_EQ(text(page.get(), IDC_EXE_NAME), "tool.exe");
        CHECK_EQ(text(page.get(), IDC_EXE_FOLDER), "C:\\out\\");
        CHECK_EQ(text(page.get(), IDC_MAIN_CLASS), "org.example.Main");
        CHECK_EQ(text(page.get(), IDC_ARGUMENTS), "one\r\ntwo");
        CHECK_EQ(text(page.get(), IDC_VM_PATH), "C:\\jdk\\bin\\javai.dll");
        CHECK(checked(page.get(), IDC_USER_VM) && !checked(page.get(), IDC_SYSTEM_VM));
        CHECK(enabled(page.get(), IDC_VM_PATH));
        int locate = dialog == IDD_COMMAND_JDK11 ? IDC_LOCATE_JAVAI : IDC_LOCATE_JVM;
        CHECK(enabled(page.get(), locate));
        CHECK(page.item(dialog == IDD_COMMAND_JDK11 ? IDC_LOCATE_JVM : IDC_LOCATE_JAVAI) == nullptr);
        CHECK_EQ(project.modified, false);
        CHECK_EQ(helpId(page.get()), 1);
        CHECK_EQ(verify(page.get()), 1);
        CHECK_EQ(project.modified, false);
    }
}

PAGE_TEST(commandPageSystemVmShowsEmptyDisabledPath) {
    Project project;
    resetProject(project, 1);
    Page page(createCommandPage(container(), &project, IDD_COMMAND_JDK11));
    CHECK(checked(page.get(), IDC_SYSTEM_VM) && !checked(page.get(), IDC_USER_VM));
    CHECK(!enabled(page.get(), IDC_VM_PATH));
    CHECK(!enabled(page.get(), IDC_LOCATE_JAVAI));
    CHECK_EQ(text(page.get(), IDC_VM_PATH), "");
    CHECK_EQ(project.modified, false);
}

PAGE_TEST(commandPageStoresWhatIsTyped) {
    for (int dialog : {IDD_COMMAND_JDK11, IDD_COMMAND_JDK20}) {
        Project project;
        resetProject(project, dialog == IDD_COMMAND_JDK11 ? 1 : 2);
        Page page(createCommandPage(container(), &project, dialog));
        type(page.get(), IDC_EXE_NAME, "app");
        CHECK_EQ(project.exeName(), "app");
        CHECK_EQ(project.modified, true);
        project.modified = false;
        type(page.get(), IDC_MAIN_CLASS, "com.acme.Start");
        CHECK_EQ(project.mainClass(), "com.acme.Start");
        CHECK_EQ(project.modified, true);
        project.modified = false;
        type(page.get(), IDC_ARGUMENTS, "-a 1\r\n-b \"two words\"");
        CHECK_EQ(project.arguments(), "-a 1\r\n-b \"two words\"");
        CHECK_EQ(project.modified, true);
        click(page.get(), IDC_USER_VM);
        type(page.get(), IDC_VM_PATH, "D:\\vm\\jvm.dll");
        CHECK_EQ(project.vmLibraryPath(), "D:\\vm\\jvm.dll");
        CHECK_EQ(project.userDefinedVm, true);
        CHECK_EQ(verify(page.get()), 1);
        CHECK_EQ(project.exeName(), "app.exe");
        CHECK_EQ(text(page.get(), IDC_EXE_NAME), "app.exe");
    }
}

PAGE_TEST(commandPageJdk20VmPathMarksOnlyChanges) {
    Project project;
    fillProject(project, 2);
    Page page(createCommandPage(container(), &project, IDD_COMMAND_JDK20));
    type(page.get(), IDC_VM_PATH, "C:\\jdk\\bin\\javai.dll");
    CHECK_EQ(project.modified, false);
    type(page.get(), IDC_VM_PATH, "C:\\jdk\\bin\\jvm.dll");
    CHECK_EQ(project.vmLibraryPath(), "C:\\jdk\\bin\\jvm.dll");
    CHECK_EQ(project.modified, true);
}

PAGE_TEST(commandPageJdk11VmPathAlwaysMarks) {
    // Dialog 105 stores every edit of the VM field and marks the project,
    // even when the text ends up as stored.
    Project project;
    fillProject(project, 1);
    Page page(createCommandPage(container(), &project, IDD_COMMAND_JDK11));
    type(page.get(), IDC_VM_PATH, "C:\\jdk\\bin\\javai.dll");
    CHECK_EQ(project.vmLibraryPath(), "C:\\jdk\\bin\\javai.dll");
    CHECK_EQ(project.modified, true);
}

PAGE_TEST(commandPageAppendsExeOnVerify) {
    struct Case {
        const char* typed;
        const char* stored;
    };
    for (const Case& c : {Case{"app", "app.exe"}, Case{"app.EXE", "app.EXE"}, Case{"my.exe.tool", "my.exe.tool"},
                          Case{"", ""}}) {
        Project project;
        resetProject(project, 1);
        Page page(createCommandPage(container(), &project, IDD_COMMAND_JDK11));
        type(page.get(), IDC_EXE_NAME, c.typed);
        CHECK_EQ(verify(page.get()), 1);
        CHECK_EQ(project.exeName(), c.stored);
        CHECK_EQ(text(page.get(), IDC_EXE_NAME), c.stored);
    }
    Project project;
    resetProject(project, 2);
    Page page(createCommandPage(container(), &project, IDD_COMMAND_JDK20));
    CHECK_EQ(verify(page.get()), 1);
    CHECK_EQ(project.exeName(), "");
    CHECK_EQ(project.modified, false);
}

PAGE_TEST(commandPageSystemVmKeepsFieldText) {
    Project project;
    fillProject(project, 1);
    Page page(createCommandPage(container(), &project, IDD_COMMAND_JDK11));
    click(page.get(), IDC_SYSTEM_VM);
    CHECK_EQ(project.userDefinedVm, false);
    CHECK_EQ(project.vmLibraryPath(), "");
    CHECK_EQ(project.modified, true);
    CHECK_EQ(text(page.get(), IDC_VM_PATH), "C:\\jdk\\bin\\javai.dll");
    CHECK(!enabled(page.get(), IDC_VM_PATH));
    CHECK(!enabled(page.get(), IDC_LOCATE_JAVAI));
    CHECK_EQ(verify(page.get()), 1);
    CHECK_EQ(project.vmLibraryPath(), "");
    click(page.get(), IDC_USER_VM);
    CHECK_EQ(project.userDefinedVm, true);
    CHECK_EQ(project.vmLibraryPath(), "C:\\jdk\\bin\\javai.dll");
    CHECK(enabled(page.get(), IDC_VM_PATH));
    CHECK(enabled(page.get(), IDC_LOCATE_JAVAI));
}

PAGE_TEST(commandPageVmChoiceAloneIsAChange) {
    Project project;
    resetProject(project, 2);
    Page page(createCommandPage(container(), &project, IDD_COMMAND_JDK20));
    click(page.get(), IDC_USER_VM);
    CHECK_EQ(project.userDefinedVm, true);
    CHECK_EQ(project.modified, true);
    project.modified = false;
    click(page.get(), IDC_USER_VM);
    CHECK_EQ(project.modified, false);
    click(page.get(), IDC_SYSTEM_VM);
    CHECK_EQ(project.userDefinedVm, false);
    CHECK_EQ(project.modified, true);
}

PAGE_TEST(commandPageLocateNeedsExeFolder) {
    Project project;
    resetProject(project, 1);
    project.userDefinedVm = true;
    Page page(createCommandPage(container(), &project, IDD_COMMAND_JDK11));
    expectModal(IDOK);
    click(page.get(), IDC_LOCATE_JAVAI);
    std::vector<ModalSeen> seen = takeModals();
    CHECK_EQ(seen.size(), 1u);
    if (!seen.empty()) {
        CHECK_EQ(seen[0].caption, "Error");
        CHECK_EQ(seen[0].text, "Please set the executable file path first.");
    }
    CHECK(takePickerCalls().empty());
    CHECK_EQ(project.modified, false);
}

PAGE_TEST(commandPageLocateStoresPickedLibrary) {
    for (int dialog : {IDD_COMMAND_JDK11, IDD_COMMAND_JDK20}) {
        Project project;
        fillProject(project, dialog == IDD_COMMAND_JDK11 ? 1 : 2);
        project.setExeFolder("C:\\app\\");
        Page page(createCommandPage(container(), &project, dialog));
        int locate = dialog == IDD_COMMAND_JDK11 ? IDC_LOCATE_JAVAI : IDC_LOCATE_JVM;
        std::string library = dialog == IDD_COMMAND_JDK11 ? "javai.dll" : "jvm.dll";
        answerFilePicker(true, ".", library);
        click(page.get(), locate);
        std::vector<PickerCall> calls = takePickerCalls();
        CHECK_EQ(calls.size(), 1u);
        if (calls.size() == 1) {
            CHECK(!calls[0].folder);
            CHECK_EQ(calls[0].title, dialog == IDD_COMMAND_JDK11 ? "Select Javai.dll" : "Select jvm.dll");
            CHECK_EQ(calls[0].filter, dialog == IDD_COMMAND_JDK11 ? kJavaiFilter : kJvmFilter);
            CHECK_EQ(calls[0].defaultExtension, "dll");
            CHECK_EQ(calls[0].initialFolder, "C:\\jdk\\bin");
            CHECK_EQ(calls[0].pathingOptions, true);
            CHECK_EQ(calls[0].baseFolder, "C:\\app\\");
        }
        CHECK_EQ(project.vmLibraryPath(), library);
        CHECK_EQ(text(page.get(), IDC_VM_PATH), library);
        answerFilePicker(true, ".\\lib\\", library);
        click(page.get(), locate);
        CHECK_EQ(project.vmLibraryPath(), ".\\lib\\" + library);
        calls = takePickerCalls();
        CHECK(calls.size() == 1 && calls[0].initialFolder == "C:\\app");
        answerFilePicker(false, "D:\\", library);
        click(page.get(), locate);
        CHECK_EQ(project.vmLibraryPath(), ".\\lib\\" + library);
        calls = takePickerCalls();
        // A relative library starts the picker where the produced program
        // looks for it: in the executable folder.
        CHECK(calls.size() == 1 && calls[0].initialFolder == "C:\\app\\lib");
    }
}

PAGE_TEST(commandPageSetsExeLocation) {
    Project project;
    fillProject(project, 1);
    Page page(createCommandPage(container(), &project, IDD_COMMAND_JDK11));
    answerFolderPicker(false, "D:\\ignored\\");
    click(page.get(), IDC_SET_EXE_LOCATION);
    CHECK_EQ(project.exeFolder(), "C:\\out\\");
    CHECK_EQ(project.modified, false);
    answerFolderPicker(true, "D:\\dist\\");
    click(page.get(), IDC_SET_EXE_LOCATION);
    std::vector<PickerCall> calls = takePickerCalls();
    CHECK_EQ(calls.size(), 2u);
    if (calls.size() == 2) {
        CHECK(calls[1].folder);
        CHECK_EQ(calls[1].title, "Select Directory");
        CHECK_EQ(calls[1].initialFolder, "C:\\out\\");
        CHECK_EQ(calls[1].pathingOptions, false);
    }
    CHECK_EQ(project.exeFolder(), "D:\\dist\\");
    CHECK_EQ(text(page.get(), IDC_EXE_FOLDER), "D:\\dist\\");
    CHECK_EQ(project.modified, true);
}

// The manifest and the embedded jar are read by the compile, which takes a
// relative path from the project file's folder.
PAGE_TEST(commandPageJdk20PicksProgramFiles) {
    Project project;
    resetProject(project, 2);
    project.setExtended(&ExtendedSettings::manifestPath, std::string("C:\\res\\app.manifest"));
    project.modified = false;
    Page page(createCommandPage(container(), &project, IDD_COMMAND_JDK20));
    // Without a project file there is no base for a relative path.
    answerFilePicker(true, "C:\\build\\", "app.jar");
    click(page.get(), IDC_LOCATE_JAR);
    project.projectPath = "C:\\work\\app.csk";
    answerFilePicker(true, ".", "app.manifest");
    click(page.get(), IDC_LOCATE_MANIFEST);
    std::vector<PickerCall> calls = takePickerCalls();
    CHECK_EQ(calls.size(), 2u);
    if (calls.size() == 2) {
        CHECK(calls[0].title == "Select Jar to Embed" && calls[0].defaultExtension == "jar");
        CHECK(!calls[0].pathingOptions);
        CHECK(calls[1].title == "Select Application Manifest" && calls[1].pathingOptions);
        CHECK_EQ(calls[1].baseFolder, "C:\\work\\");
        CHECK_EQ(calls[1].initialFolder, "C:\\res");
    }
    CHECK_EQ(project.extended().embeddedJar, "C:\\build\\app.jar");
    CHECK_EQ(project.extended().manifestPath, "app.manifest");  // "." is the project's folder itself
    CHECK_EQ(text(page.get(), IDC_MANIFEST_PATH), "app.manifest");
    CHECK_EQ(project.modified, true);
}
