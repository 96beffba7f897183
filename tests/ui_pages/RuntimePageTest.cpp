// The page protocol for settings beyond the original record, on the
// runtime page of JDK 2.0 projects (dialog 126). What the new fields show
// and store through save and reopen: tests/ui/SettingScenarios.cpp.

#include "builder/engine/SettingChecks.h"
#include "builder/ui/Pages.h"
#include "tests/ui_pages/PageHarness.h"

using namespace harness;

PAGE_TEST(runtimePageMarksOnlyChanges) {
    Project project;
    resetProject(project, 2);
    project.setExtended(&ExtendedSettings::jvmOptions, {"-Xss2m"});
    project.setExtended(&ExtendedSettings::workingFolder, 7u);  // of a later Caskit
    project.setExtended(&ExtendedSettings::restartExitCode, 300u);  // of a file written elsewhere
    project.modified = false;
    Page page(createRuntimePage(container(), &project));
    CHECK_EQ(helpId(page.get()), 11);
    CHECK(!checked(page.get(), IDC_FOLDER_EXECUTABLE) && !checked(page.get(), IDC_FOLDER_CALLER));
    CHECK_EQ(verify(page.get()), 1);
    CHECK_EQ(project.extended().workingFolder, 7u);
    CHECK_EQ(project.extended().restartExitCode, 300u);
    CHECK_EQ(project.modified, false);
    // The list is edited as the property list is: at once, always a change.
    select(page.get(), IDC_VM_OPTION_LIST, 0);
    click(page.get(), IDC_DELETE_VM_OPTION);
    CHECK_EQ(project.modified, true);
    // The instance's id and handler take part only with one instance on.
    const std::string walkOff = tabWalk(page.get(), IDC_SINGLE_INSTANCE, 1);
    click(page.get(), IDC_SINGLE_INSTANCE);
    CHECK_EQ(walkOff, idList({IDC_SPLASH_IMAGE}));
    CHECK_EQ(tabWalk(page.get(), IDC_VM_OPTION, 16),
             idList({IDC_ADD_VM_OPTION, IDC_VM_OPTION_LIST, IDC_DELETE_VM_OPTION, IDC_JAVA_MIN, IDC_JAVA_MAX,
                     IDC_DOWNLOAD_URL, IDC_STARTUP_CACHE, IDC_FOLDER_EXECUTABLE, IDC_SINGLE_INSTANCE,
                     IDC_INSTANCE_ID, IDC_INSTANCE_HANDLER, IDC_SPLASH_IMAGE, IDC_LOCATE_SPLASH, IDC_SPLASH_TIMEOUT,
                     IDC_RESTART_EXIT_CODE, IDC_VM_OPTION}));
}

PAGE_TEST(runtimePageRefusesWhatTheCompileRefuses) {
    Project project;
    resetProject(project, 2);
    project.setExtended(&ExtendedSettings::javaMinVersion, std::string("11"));
    project.modified = false;
    Page page(createRuntimePage(container(), &project));
    expectModal(IDOK);
    type(page.get(), IDC_VM_OPTION, "Xmx512m");
    click(page.get(), IDC_ADD_VM_OPTION);
    CHECK(GetFocus() == page.item(IDC_VM_OPTION));
    CHECK(listLines(page.get(), IDC_VM_OPTION_LIST).empty());

    // A line break cannot be typed, but it can be pasted: the page is
    // refused, the project keeps its values, the field what was pasted.
    type(page.get(), IDC_DOWNLOAD_URL, "https://example.org/java");
    type(page.get(), IDC_JAVA_MIN, "17\r\n");
    Project refused;
    refused.setExtended(&ExtendedSettings::javaMinVersion, std::string("17\r\n"));
    expectModal(IDOK);
    CHECK_EQ(verify(page.get()), 0);
    std::vector<ModalSeen> seen = takeModals();
    CHECK_EQ(seen.size(), 2u);
    if (seen.size() == 2) {
        CHECK(seen[0].caption == "Data Error" && seen[0].text == *jvmOptionProblem("Xmx512m"));
        CHECK(seen[1].caption == "Data Error" && seen[1].text == extendedSettingProblem(refused).value_or(""));
    }
    CHECK_EQ(project.extended().downloadUrl, "");
    CHECK_EQ(project.extended().javaMinVersion, "11");
    CHECK_EQ(project.modified, false);
    CHECK_EQ(text(page.get(), IDC_JAVA_MIN), "17\r\n");

    // What a file written elsewhere brought is not this page's to refuse:
    // the user could not leave the page (the compile still names it).
    project.setExtended(&ExtendedSettings::jvmOptions, {"stray"});
    type(page.get(), IDC_JAVA_MIN, "17");
    CHECK_EQ(verify(page.get()), 1);
    CHECK_EQ(project.extended().javaMinVersion, "17");
}

// The settings of desktop programs: refused with the compile's message,
// then stored as set; the splash image is picked as the manifest is.
PAGE_TEST(runtimePageStoresDesktopSettings) {
    Project project, outOfRange, noMethod;
    resetProject(project, 2);
    project.projectPath = "C:\\work\\app.csk";
    project.modified = false;
    outOfRange.setExtended(&ExtendedSettings::restartExitCode, 300u);
    noMethod.setExtended(&ExtendedSettings::instanceHandler, std::string("nodot"));
    Page page(createRuntimePage(container(), &project));
    click(page.get(), IDC_SINGLE_INSTANCE);
    const std::pair<int, const char*> typed[] = {{IDC_INSTANCE_ID, "org.example.tool"}, {IDC_INSTANCE_HANDLER, "nodot"},
                                                 {IDC_SPLASH_TIMEOUT, "5"}, {IDC_RESTART_EXIT_CODE, "300"}};
    for (const auto& [id, value] : typed) type(page.get(), id, value);
    expectModal(IDOK);
    CHECK_EQ(verify(page.get()), 0);  // the exit code first
    type(page.get(), IDC_RESTART_EXIT_CODE, "42");
    expectModal(IDOK);
    CHECK_EQ(verify(page.get()), 0);  // then the handler
    std::vector<ModalSeen> seen = takeModals();
    CHECK(seen.size() == 2 && seen[0].text == extendedSettingProblem(outOfRange) &&
          seen[1].text == extendedSettingProblem(noMethod));
    CHECK(project.extended() == ExtendedSettings{} && !project.modified);

    type(page.get(), IDC_INSTANCE_HANDLER, "org.example.App.handOver");
    answerFilePicker(true, ".", "splash.png");
    click(page.get(), IDC_LOCATE_SPLASH);
    std::vector<PickerCall> calls = takePickerCalls();
    CHECK(calls.size() == 1 && calls[0].pathingOptions && calls[0].baseFolder == "C:\\work\\");
    CHECK_EQ(verify(page.get()), 1);
    const ExtendedSettings& e = project.extended();
    CHECK(e.singleInstance && e.instanceId == "org.example.tool" && e.instanceHandler == "org.example.App.handOver");
    CHECK(e.splashImage == "splash.png" && e.splashTimeout == 5 && e.restartExitCode == 42 && project.modified);
}

PAGE_TEST(pagesEndTheirToolTips) {
    // The tool tips are pop-ups of the top-level window, which outlives
    // every page: a page must end its own.
    const int before = toolTipWindows();
    for (int i = 0; i < 2; ++i) {
        Project project;
        resetProject(project, 2);
        Page runtime(createRuntimePage(container(), &project));
        Page command(createCommandPage(container(), &project, IDD_COMMAND_JDK20));
        Page version(createVersionPage(container(), &project));
        CHECK_EQ(toolTipWindows(), before + 3);
    }
    CHECK_EQ(toolTipWindows(), before);
}
