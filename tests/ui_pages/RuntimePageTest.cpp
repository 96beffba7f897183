// The runtime page of JDK 2.0 projects (dialog 126).

#include "builder/engine/SettingChecks.h"
#include "builder/ui/Pages.h"
#include "tests/ui_pages/PageHarness.h"

using namespace harness;

namespace {

void fillProject(Project& project) {
    resetProject(project, 2);
    project.setExtended(&ExtendedSettings::jvmOptions, {"-Xss2m", "--enable-preview"});
    project.setExtended(&ExtendedSettings::javaMinVersion, std::string("11"));
    project.setExtended(&ExtendedSettings::javaMaxVersion, std::string("21"));
    project.setExtended(&ExtendedSettings::downloadUrl, std::string("https://example.org/java"));
    project.setExtended(&ExtendedSettings::startupCache, true);
    project.setExtended(&ExtendedSettings::workingFolder, 1u);
    project.modified = false;
}

}  // namespace

PAGE_TEST(runtimePageFillsAndStores) {
    Project project;
    fillProject(project);
    Page page(createRuntimePage(container(), &project));
    CHECK(page.get() != nullptr);
    CHECK_EQ(listLines(page.get(), IDC_VM_OPTION_LIST), (std::vector<std::string>{"-Xss2m", "--enable-preview"}));
    CHECK_EQ(text(page.get(), IDC_JAVA_MIN), "11");
    CHECK_EQ(text(page.get(), IDC_JAVA_MAX), "21");
    CHECK_EQ(text(page.get(), IDC_DOWNLOAD_URL), "https://example.org/java");
    CHECK(checked(page.get(), IDC_STARTUP_CACHE));
    CHECK(checked(page.get(), IDC_FOLDER_CALLER) && !checked(page.get(), IDC_FOLDER_EXECUTABLE));
    CHECK_EQ(helpId(page.get()), 11);
    CHECK(toolTipText(page.get(), IDC_JAVA_MIN).rfind("The lowest Java version", 0) == 0);
    CHECK(toolTipText(page.get(), IDC_FOLDER_CALLER).rfind("The program works in the folder it was started", 0) == 0);
    CHECK_EQ(verify(page.get()), 1);
    CHECK_EQ(project.modified, false);

    // The list is edited as the property list is: at once, always a change.
    select(page.get(), IDC_VM_OPTION_LIST, 0);
    click(page.get(), IDC_DELETE_VM_OPTION);
    CHECK_EQ(project.modified, true);
    CHECK_EQ(selection(page.get(), IDC_VM_OPTION_LIST), -1);
    type(page.get(), IDC_VM_OPTION, "-Xmx512m");
    click(page.get(), IDC_ADD_VM_OPTION);
    CHECK_EQ(text(page.get(), IDC_VM_OPTION), "-Xmx512m");
    type(page.get(), IDC_VM_OPTION, "");
    click(page.get(), IDC_ADD_VM_OPTION);  // nothing to add
    type(page.get(), IDC_JAVA_MIN, "17");
    type(page.get(), IDC_JAVA_MAX, "");
    type(page.get(), IDC_DOWNLOAD_URL, "https://example.org/jdk17");
    click(page.get(), IDC_STARTUP_CACHE);
    click(page.get(), IDC_FOLDER_EXECUTABLE);
    project.modified = false;
    CHECK_EQ(verify(page.get()), 1);
    CHECK_EQ(project.modified, true);
    const ExtendedSettings& stored = project.extended();
    CHECK_EQ(stored.jvmOptions, (std::vector<std::string>{"--enable-preview", "-Xmx512m"}));
    CHECK_EQ(stored.javaMinVersion, "17");
    CHECK_EQ(stored.javaMaxVersion, "");
    CHECK_EQ(stored.downloadUrl, "https://example.org/jdk17");
    CHECK_EQ(stored.startupCache, false);
    CHECK_EQ(stored.workingFolder, 0u);
    project.modified = false;
    CHECK_EQ(verify(page.get()), 1);
    CHECK_EQ(project.modified, false);
}

PAGE_TEST(pagesEndTheirToolTips) {
    // The tool tips are pop-ups of the top-level window, which outlives
    // every page: a page must end its own.
    const int before = toolTipWindows();
    for (int i = 0; i < 3; ++i) {
        Project project;
        resetProject(project, 2);
        Page runtime(createRuntimePage(container(), &project));
        Page command(createCommandPage(container(), &project, IDD_COMMAND_JDK20));
        Page version(createVersionPage(container(), &project));
        CHECK_EQ(toolTipWindows(), before + 3);
    }
    CHECK_EQ(toolTipWindows(), before);
}

PAGE_TEST(runtimePageKeepsAWorkingFolderItDoesNotKnow) {
    Project project;
    resetProject(project, 2);
    project.setExtended(&ExtendedSettings::workingFolder, 7u);
    project.modified = false;
    Page page(createRuntimePage(container(), &project));
    CHECK(!checked(page.get(), IDC_FOLDER_EXECUTABLE) && !checked(page.get(), IDC_FOLDER_CALLER));
    CHECK_EQ(verify(page.get()), 1);
    CHECK_EQ(project.extended().workingFolder, 7u);
    CHECK_EQ(project.modified, false);
}

PAGE_TEST(runtimePageRefusesWhatTheCompileRefuses) {
    Project project;
    fillProject(project);
    Page page(createRuntimePage(container(), &project));
    expectModal(IDOK);
    type(page.get(), IDC_VM_OPTION, "Xmx512m");
    click(page.get(), IDC_ADD_VM_OPTION);
    std::vector<ModalSeen> seen = takeModals();
    CHECK_EQ(seen.size(), 1u);
    if (!seen.empty()) {
        CHECK_EQ(seen[0].caption, "Data Error");
        CHECK_EQ(seen[0].text, *jvmOptionProblem("Xmx512m"));
    }
    CHECK(GetFocus() == page.item(IDC_VM_OPTION));
    CHECK_EQ(listLines(page.get(), IDC_VM_OPTION_LIST).size(), 2u);
    CHECK_EQ(project.modified, false);

    // A line break cannot be typed, but it can be pasted: the whole page is
    // refused with the compile's message, and the project keeps its values.
    type(page.get(), IDC_DOWNLOAD_URL, "https://example.org/new");
    type(page.get(), IDC_JAVA_MIN, "17\r\n");
    CHECK_EQ(text(page.get(), IDC_JAVA_MIN), "17\r\n");
    Project expected;
    fillProject(expected);
    expected.setExtended(&ExtendedSettings::javaMinVersion, std::string("17\r\n"));
    expectModal(IDOK);
    CHECK_EQ(verify(page.get()), 0);
    seen = takeModals();
    CHECK_EQ(seen.size(), 1u);
    if (!seen.empty()) {
        CHECK_EQ(seen[0].caption, "Data Error");
        CHECK_EQ(seen[0].text, extendedSettingProblem(expected).value_or("(none)"));
    }
    CHECK_EQ(project.extended().downloadUrl, "https://example.org/java");
    CHECK_EQ(project.extended().javaMinVersion, "11");
    CHECK_EQ(project.modified, false);
    CHECK_EQ(text(page.get(), IDC_JAVA_MIN), "17\r\n");  // kept to be corrected
}

PAGE_TEST(runtimePageLeavesProblemsItDidNotBring) {
    // A project file written elsewhere may hold what the compile refuses;
    // the page does not hold the user on it for that (the compile names it).
    Project project;
    resetProject(project, 2);
    project.setExtended(&ExtendedSettings::jvmOptions, {"stray"});
    project.modified = false;
    Page page(createRuntimePage(container(), &project));
    type(page.get(), IDC_JAVA_MIN, "17");
    CHECK_EQ(verify(page.get()), 1);
    CHECK_EQ(project.extended().javaMinVersion, "17");
    CHECK(takeModals().empty());
}

PAGE_TEST(runtimePageIsWalkedByTab) {
    Project project;
    resetProject(project, 2);
    Page page(createRuntimePage(container(), &project));
    CHECK_EQ(tabWalk(page.get(), IDC_VM_OPTION, 9),
             idList({IDC_ADD_VM_OPTION, IDC_VM_OPTION_LIST, IDC_DELETE_VM_OPTION, IDC_JAVA_MIN, IDC_JAVA_MAX,
                     IDC_DOWNLOAD_URL, IDC_STARTUP_CACHE, IDC_FOLDER_EXECUTABLE, IDC_VM_OPTION}));
}
