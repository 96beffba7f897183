// The class-path page (dialog 106, with its entry editor 117) and the
// environment and properties pages (dialogs 107 and 108).

#include "builder/ui/Pages.h"
#include "tests/ui_pages/PageHarness.h"

using namespace harness;

namespace {

using Lines = std::vector<std::string>;

const char kArchiveFilterText[] = "Jar Files (*.jar)\0*.jar\0Zip Files (*.zip)\0*.zip\0";
const std::string kArchiveFilter(kArchiveFilterText, sizeof kArchiveFilterText);

// A list box shows its vertical scroll bar once it holds more lines than fit.
bool scrollsWhenFull(HWND list) {
    for (int i = 0; i < 40; ++i) SendMessageA(list, LB_INSERTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>("x"));
    return harness::hasStyle(list, WS_VSCROLL);
}

void fillClassPath(Project& project) {
    resetProject(project, 1);
    for (const char* entry : {"a.jar", "b.jar", "c.jar"}) project.listAdd(ProjectList::ClassPath, entry);
    project.setExeFolder("C:\\app\\");
    project.modified = false;
}

}  // namespace

PAGE_TEST(classPathPageShowsEntriesInOrder) {
    Project project;
    fillClassPath(project);
    Page page(createClassPathPage(container(), &project));
    CHECK_EQ(listLines(page.get(), IDC_CLASSPATH_LIST), (Lines{"a.jar", "b.jar", "c.jar"}));
    CHECK_EQ(project.modified, false);
    CHECK_EQ(helpId(page.get()), 3);
    CHECK_EQ(verify(page.get()), 1);
    CHECK_EQ(project.modified, false);
    CHECK(scrollsWhenFull(page.item(IDC_CLASSPATH_LIST)));
}

PAGE_TEST(classPathPageAddsManually) {
    Project project;
    fillClassPath(project);
    Page page(createClassPathPage(container(), &project));
    expectModal(IDCANCEL, IDC_ENTRY_TEXT, "never.jar");
    click(page.get(), IDC_ADD_MANUALLY);
    CHECK_EQ(listLines(page.get(), IDC_CLASSPATH_LIST).size(), 3u);
    CHECK_EQ(project.modified, false);
    expectModal(IDOK, IDC_ENTRY_TEXT, "x.jar");
    click(page.get(), IDC_ADD_MANUALLY);
    std::vector<ModalSeen> seen = takeModals();
    CHECK_EQ(seen.size(), 2u);
    if (seen.size() == 2) {
        CHECK_EQ(seen[1].caption, "Edit Classpath");
        CHECK_EQ(seen[1].text, "");
    }
    CHECK_EQ(listLines(page.get(), IDC_CLASSPATH_LIST), (Lines{"a.jar", "b.jar", "c.jar", "x.jar"}));
    CHECK_EQ(project.modified, true);
    // An empty entry shows in the list but is never stored.
    expectModal(IDOK, IDC_ENTRY_TEXT, "");
    click(page.get(), IDC_ADD_MANUALLY);
    CHECK_EQ(listLines(page.get(), IDC_CLASSPATH_LIST), (Lines{"a.jar", "b.jar", "c.jar", "x.jar", ""}));
    CHECK_EQ(verify(page.get()), 1);
    CHECK_EQ(project.listEntries(ProjectList::ClassPath), (Lines{"a.jar", "b.jar", "c.jar", "x.jar"}));
}

PAGE_TEST(classPathPageEditsSelectedEntry) {
    Project project;
    fillClassPath(project);
    Page page(createClassPathPage(container(), &project));
    click(page.get(), IDC_EDIT_ENTRY);  // nothing selected: no editor
    CHECK(takeModals().empty());
    select(page.get(), IDC_CLASSPATH_LIST, 1);
    expectModal(IDOK, IDC_ENTRY_TEXT, "lib\\b2.jar");
    click(page.get(), IDC_EDIT_ENTRY);
    std::vector<ModalSeen> seen = takeModals();
    CHECK(seen.size() == 1 && seen[0].caption == "Edit Classpath" && seen[0].text == "b.jar");
    CHECK_EQ(listLines(page.get(), IDC_CLASSPATH_LIST), (Lines{"a.jar", "lib\\b2.jar", "c.jar"}));
    CHECK_EQ(project.modified, true);
    project.modified = false;
    // A double click on an entry opens the editor as well.
    select(page.get(), IDC_CLASSPATH_LIST, 2);
    expectModal(IDOK, IDC_ENTRY_TEXT, "c2.jar");
    SendMessageA(page.get(), WM_COMMAND, MAKEWPARAM(IDC_CLASSPATH_LIST, LBN_DBLCLK),
                 reinterpret_cast<LPARAM>(page.item(IDC_CLASSPATH_LIST)));
    seen = takeModals();
    CHECK(seen.size() == 1 && seen[0].text == "c.jar");
    CHECK_EQ(listLines(page.get(), IDC_CLASSPATH_LIST), (Lines{"a.jar", "lib\\b2.jar", "c2.jar"}));
    CHECK_EQ(project.modified, true);
    project.modified = false;
    select(page.get(), IDC_CLASSPATH_LIST, 0);
    expectModal(IDCANCEL, IDC_ENTRY_TEXT, "dropped.jar");
    click(page.get(), IDC_EDIT_ENTRY);
    CHECK_EQ(listLines(page.get(), IDC_CLASSPATH_LIST), (Lines{"a.jar", "lib\\b2.jar", "c2.jar"}));
    CHECK_EQ(project.modified, false);
    CHECK_EQ(verify(page.get()), 1);
    CHECK_EQ(project.listEntries(ProjectList::ClassPath), (Lines{"a.jar", "lib\\b2.jar", "c2.jar"}));
}

PAGE_TEST(classPathPageMovesAndDeletes) {
    Project project;
    fillClassPath(project);
    Page page(createClassPathPage(container(), &project));
    select(page.get(), IDC_CLASSPATH_LIST, 0);
    click(page.get(), IDC_MOVE_UP);
    select(page.get(), IDC_CLASSPATH_LIST, 2);
    click(page.get(), IDC_MOVE_DOWN);
    CHECK_EQ(listLines(page.get(), IDC_CLASSPATH_LIST), (Lines{"a.jar", "b.jar", "c.jar"}));
    CHECK_EQ(project.modified, false);
    click(page.get(), IDC_MOVE_UP);
    CHECK_EQ(listLines(page.get(), IDC_CLASSPATH_LIST), (Lines{"a.jar", "c.jar", "b.jar"}));
    CHECK_EQ(selection(page.get(), IDC_CLASSPATH_LIST), 1);
    CHECK_EQ(project.modified, true);
    select(page.get(), IDC_CLASSPATH_LIST, 0);
    click(page.get(), IDC_MOVE_DOWN);
    CHECK_EQ(listLines(page.get(), IDC_CLASSPATH_LIST), (Lines{"c.jar", "a.jar", "b.jar"}));
    CHECK_EQ(selection(page.get(), IDC_CLASSPATH_LIST), 1);
    click(page.get(), IDC_DELETE_ENTRY);
    CHECK_EQ(listLines(page.get(), IDC_CLASSPATH_LIST), (Lines{"c.jar", "b.jar"}));
    CHECK_EQ(verify(page.get()), 1);
    CHECK_EQ(project.listEntries(ProjectList::ClassPath), (Lines{"c.jar", "b.jar"}));
    project.modified = false;
    SendDlgItemMessageA(page.get(), IDC_CLASSPATH_LIST, LB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    click(page.get(), IDC_DELETE_ENTRY);
    click(page.get(), IDC_MOVE_DOWN);
    CHECK_EQ(listLines(page.get(), IDC_CLASSPATH_LIST).size(), 2u);
    CHECK_EQ(project.modified, false);
}

PAGE_TEST(classPathPageAddsPickedFoldersAndFiles) {
    Project project;
    fillClassPath(project);
    Page page(createClassPathPage(container(), &project));
    answerFolderPicker(true, "");
    click(page.get(), IDC_ADD_PATH);
    answerFolderPicker(true, ".\\lib\\");
    click(page.get(), IDC_ADD_PATH);
    answerFolderPicker(false, "C:\\nothing\\");
    click(page.get(), IDC_ADD_PATH);
    answerFilePicker(true, ".", "app.jar");
    click(page.get(), IDC_ADD_FILE);
    answerFilePicker(true, ".\\lib", "x.zip");
    click(page.get(), IDC_ADD_FILE);
    answerFilePicker(true, "D:\\libs\\", "y.jar");
    click(page.get(), IDC_ADD_FILE);
    answerFilePicker(false, "D:\\libs\\", "z.jar");
    click(page.get(), IDC_ADD_FILE);
    CHECK_EQ(listLines(page.get(), IDC_CLASSPATH_LIST),
             (Lines{"a.jar", "b.jar", "c.jar", ".", ".\\lib\\", "app.jar", ".\\lib\\x.zip", "D:\\libs\\y.jar"}));
    std::vector<PickerCall> calls = takePickerCalls();
    CHECK_EQ(calls.size(), 7u);
    if (calls.size() == 7) {
        CHECK(calls[0].folder);
        CHECK_EQ(calls[0].title, "Add Classpath");
        CHECK_EQ(calls[0].initialFolder, "");
        CHECK_EQ(calls[0].pathingOptions, true);
        CHECK_EQ(calls[0].baseFolder, "C:\\app\\");
        CHECK(!calls[3].folder);
        CHECK_EQ(calls[3].title, "Add Classpath");
        CHECK_EQ(calls[3].filter, kArchiveFilter);
        CHECK_EQ(calls[3].defaultExtension, "jar");
        CHECK_EQ(calls[3].initialFolder, "");
        CHECK_EQ(calls[3].pathingOptions, true);
        CHECK_EQ(calls[3].baseFolder, "C:\\app\\");
    }
    CHECK_EQ(project.modified, true);
}

PAGE_TEST(keyValuePagesAddAndDelete) {
    struct Kind {
        HWND (*create)(HWND, Project*);
        int list;
        ProjectList which;
        int help;
    };
    for (const Kind& kind : {Kind{createEnvironmentPage, IDC_ENVIRONMENT_LIST, ProjectList::Environment, 5},
                             Kind{createPropertiesPage, IDC_PROPERTIES_LIST, ProjectList::Properties, 4}}) {
        Project project;
        resetProject(project, 2);
        project.listAdd(kind.which, "B=2");
        project.listAdd(kind.which, "A=1");
        project.modified = false;
        Page page(kind.create(container(), &project));
        CHECK_EQ(listLines(page.get(), kind.list), (Lines{"B=2", "A=1"}));
        CHECK_EQ(project.modified, false);
        CHECK_EQ(helpId(page.get()), kind.help);
        type(page.get(), IDC_KEY, "");
        type(page.get(), IDC_VALUE, "ignored");
        click(page.get(), IDC_ADD_PAIR);
        CHECK_EQ(listLines(page.get(), kind.list).size(), 2u);
        CHECK_EQ(project.modified, false);
        type(page.get(), IDC_KEY, "PATH");
        type(page.get(), IDC_VALUE, "C:\\bin");
        click(page.get(), IDC_ADD_PAIR);
        click(page.get(), IDC_ADD_PAIR);
        CHECK_EQ(text(page.get(), IDC_KEY), "PATH");
        CHECK_EQ(text(page.get(), IDC_VALUE), "C:\\bin");
        type(page.get(), IDC_VALUE, "");
        click(page.get(), IDC_ADD_PAIR);
        CHECK_EQ(listLines(page.get(), kind.list), (Lines{"B=2", "A=1", "PATH=C:\\bin", "PATH=C:\\bin", "PATH="}));
        CHECK_EQ(project.modified, true);
        select(page.get(), kind.list, 0);
        click(page.get(), IDC_DELETE_PAIR);
        CHECK_EQ(selection(page.get(), kind.list), LB_ERR);
        CHECK_EQ(listLines(page.get(), kind.list), (Lines{"A=1", "PATH=C:\\bin", "PATH=C:\\bin", "PATH="}));
        CHECK_EQ(verify(page.get()), 1);
        CHECK_EQ(project.listEntries(kind.which), (Lines{"A=1", "PATH=C:\\bin", "PATH=C:\\bin", "PATH="}));
        project.modified = false;
        click(page.get(), IDC_DELETE_PAIR);  // nothing selected
        CHECK_EQ(verify(page.get()), 1);
        CHECK_EQ(project.modified, false);
        CHECK(scrollsWhenFull(page.item(kind.list)));
    }
}

PAGE_TEST(keyValuePagesRefuseEqualsSign) {
    for (auto create : {createEnvironmentPage, createPropertiesPage}) {
        Project project;
        resetProject(project, 1);
        Page page(create(container(), &project));
        int list = page.item(IDC_ENVIRONMENT_LIST) ? IDC_ENVIRONMENT_LIST : IDC_PROPERTIES_LIST;
        type(page.get(), IDC_KEY, "A=B");
        type(page.get(), IDC_VALUE, "1");
        expectModal(IDOK);
        click(page.get(), IDC_ADD_PAIR);
        std::vector<ModalSeen> seen = takeModals();
        CHECK(seen.size() == 1 && seen[0].caption == "Data Error" &&
              seen[0].text == "The key cannot contain an \"=\" character.");
        CHECK(GetFocus() == page.item(IDC_KEY));
        type(page.get(), IDC_KEY, "A");
        type(page.get(), IDC_VALUE, "x=y");
        expectModal(IDOK);
        click(page.get(), IDC_ADD_PAIR);
        seen = takeModals();
        CHECK(seen.size() == 1 && seen[0].caption == "Data Error" &&
              seen[0].text == "The value cannot contain an \"=\" character.");
        CHECK(GetFocus() == page.item(IDC_VALUE));
        CHECK(listLines(page.get(), list).empty());
        CHECK_EQ(project.modified, false);
        CHECK_EQ(verify(page.get()), 1);
        CHECK_EQ(project.listCount(ProjectList::Environment) + project.listCount(ProjectList::Properties), 0);
    }
}
