#include <gtest/gtest.h>

#include "builder/engine/Project.h"

// A new project's defaults are checked where they are stored: the project
// file (ProjectFileTest) and the parameter block (ParameterBlockWriterTest).

TEST(Project, ResourceUpdateFollowsThePlatform) {
    // Linux classifies as platform 0: no resource updating.
    EXPECT_FALSE(Project().resourceUpdateAvailable);
    EXPECT_TRUE(Project(true).resourceUpdateAvailable);
}

TEST(Project, SetProjectVersionEmptiesVmLibraryWithoutMarking) {
    Project p(false);
    p.setVmLibraryPath("C:\\jdk\\bin\\jvm.dll");
    p.modified = false;
    p.setProjectVersion(2);
    EXPECT_EQ(p.getProjectVersion(), 2);
    EXPECT_TRUE(p.vmLibraryPath().empty());
    EXPECT_FALSE(p.modified);
    p.setProjectVersion(7);
    EXPECT_EQ(p.getProjectVersion(), 7);
}

TEST(Project, StringSetterMarksOnlyOnChange) {
    Project p(false);
    p.setMainClass("");
    EXPECT_FALSE(p.modified);
    p.setMainClass("app.Main");
    EXPECT_TRUE(p.modified);
    p.modified = false;
    p.setMainClass("app.Main");
    EXPECT_FALSE(p.modified);
    p.setMainClass("app.main");  // letter case counts
    EXPECT_TRUE(p.modified);
    EXPECT_EQ(p.mainClass(), "app.main");
    p.modified = false;
    p.setMainClass(std::string("app.main\0", 9));  // length counts
    EXPECT_TRUE(p.modified);
    EXPECT_EQ(p.mainClass().size(), 9u);
}

TEST(Project, EveryScalarSetterFollowsTheRule) {
    Project p(false);
    auto marks = [&p](auto&& set) {
        p.modified = false;
        set();
        return p.modified;
    };
    EXPECT_FALSE(marks([&] { p.setMinHeap(1024); }));
    EXPECT_TRUE(marks([&] { p.setMinHeap(2048); }));
    EXPECT_FALSE(marks([&] { p.setMaxHeap(16384); }));
    EXPECT_TRUE(marks([&] { p.setMaxHeap(1); }));
    EXPECT_FALSE(marks([&] { p.setMaxNativeStack(128); }));
    EXPECT_TRUE(marks([&] { p.setMaxNativeStack(0); }));
    EXPECT_FALSE(marks([&] { p.setMaxJavaStack(512); }));
    EXPECT_TRUE(marks([&] { p.setMaxJavaStack(0); }));
    EXPECT_FALSE(marks([&] { p.setClassPathMode(0); }));
    EXPECT_TRUE(marks([&] { p.setClassPathMode(2); }));
    EXPECT_FALSE(marks([&] { p.setVerifyOption(0); }));
    EXPECT_TRUE(marks([&] { p.setVerifyOption(1); }));
    EXPECT_FALSE(marks([&] { p.setAsyncGcEnabled(false); }));
    EXPECT_TRUE(marks([&] { p.setAsyncGcEnabled(true); }));
    EXPECT_FALSE(marks([&] { p.setClassGcEnabled(false); }));
    EXPECT_TRUE(marks([&] { p.setClassGcEnabled(true); }));
    EXPECT_FALSE(marks([&] { p.setJitEnabled(false); }));
    EXPECT_TRUE(marks([&] { p.setJitEnabled(true); }));
    EXPECT_FALSE(marks([&] { p.setConsoleWindow(false); }));
    EXPECT_TRUE(marks([&] { p.setConsoleWindow(true); }));
    EXPECT_FALSE(marks([&] { p.setRouteConsole(false); }));
    EXPECT_TRUE(marks([&] { p.setRouteConsole(true); }));
    EXPECT_FALSE(marks([&] { p.setExeName(""); }));
    EXPECT_TRUE(marks([&] { p.setExeName("a.exe"); }));
    EXPECT_TRUE(marks([&] { p.setExeFolder("C:\\out\\"); }));
    EXPECT_TRUE(marks([&] { p.setVmLibraryPath("jvm.dll"); }));
    EXPECT_TRUE(marks([&] { p.setArguments("-v"); }));
    EXPECT_TRUE(marks([&] { p.setCompanyName("Co"); }));
    EXPECT_TRUE(marks([&] { p.setLegalCopyright("(c)"); }));
    EXPECT_TRUE(marks([&] { p.setLegalTrademarks("TM"); }));
    EXPECT_TRUE(marks([&] { p.setComments("x"); }));
    EXPECT_FALSE(marks([&] { p.setComments("x"); }));
}

TEST(Project, VersionPartsMarkUnlessAllEqual) {
    Project p(false);
    p.setFileVersion(1, 0, 0, 0);
    EXPECT_FALSE(p.modified);
    p.setFileVersion(1, 0, 0, 1);
    EXPECT_TRUE(p.modified);
    p.modified = false;
    p.setProductVersion(1, 0, 0, 0);
    EXPECT_FALSE(p.modified);
    p.setProductVersion(-1, 2, 3, 4);
    EXPECT_TRUE(p.modified);
    std::int16_t a, b, c, d;
    p.getProductVersion(a, b, c, d);
    EXPECT_EQ((std::vector<int>{a, b, c, d}), (std::vector<int>{-1, 2, 3, 4}));
    p.getFileVersion(a, b, c, d);
    EXPECT_EQ((std::vector<int>{a, b, c, d}), (std::vector<int>{1, 0, 0, 1}));
}

TEST(Project, ListsAddAlwaysMarksClearNever) {
    for (ProjectList which : {ProjectList::ClassPath, ProjectList::Properties, ProjectList::Environment}) {
        Project p(false);
        p.listAdd(which, "a");
        EXPECT_TRUE(p.modified);
        p.modified = false;
        p.listAdd(which, "a");  // duplicates are kept and still mark
        EXPECT_TRUE(p.modified);
        p.listAdd(which, "b");
        EXPECT_EQ(p.listCount(which), 3);
        EXPECT_EQ(p.listItem(which, 0), "a");
        EXPECT_EQ(p.listItem(which, 2), "b");
        EXPECT_EQ(p.listItem(which, 3), "");
        EXPECT_EQ(p.listItem(which, -1), "");
        p.modified = false;
        p.listClear(which);
        EXPECT_FALSE(p.modified);
        EXPECT_EQ(p.listCount(which), 0);
        EXPECT_EQ(p.listItem(which, 0), "");
    }
}

TEST(Project, ListsAreSeparate) {
    Project p(false);
    p.listAdd(ProjectList::ClassPath, "cp");
    p.listAdd(ProjectList::Properties, "a=b");
    p.listAdd(ProjectList::Environment, "X=y");
    EXPECT_EQ(p.listEntries(ProjectList::ClassPath), std::vector<std::string>{"cp"});
    EXPECT_EQ(p.listEntries(ProjectList::Properties), std::vector<std::string>{"a=b"});
    EXPECT_EQ(p.listEntries(ProjectList::Environment), std::vector<std::string>{"X=y"});
}

TEST(Project, ReadyToCompileNeedsFolderAndMainClass) {
    Project p(false);
    EXPECT_FALSE(p.isReadyToCompile());
    p.setExeFolder("C:\\out\\");
    EXPECT_FALSE(p.isReadyToCompile());
    p.setMainClass("Main");
    EXPECT_TRUE(p.isReadyToCompile());  // the exe name plays no part
    p.setExeFolder("");
    EXPECT_FALSE(p.isReadyToCompile());
}

TEST(Project, DisplayNameIsThePartAfterTheLastBackslash) {
    Project p(false);
    EXPECT_EQ(p.displayName(), "");
    p.projectPath = "C:\\work\\apps\\Start.csk";
    EXPECT_EQ(p.displayName(), "Start.csk");
    p.projectPath = "Start.csk";
    EXPECT_EQ(p.displayName(), "Start.csk");
    p.projectPath = "C:\\work\\";
    EXPECT_EQ(p.displayName(), "");
}

TEST(Project, MovesKeepEverything) {
    Project p(true);
    p.setMainClass("m.Main");
    p.listAdd(ProjectList::ClassPath, "x.jar");
    Project q(std::move(p));
    EXPECT_EQ(q.mainClass(), "m.Main");
    EXPECT_EQ(q.listItem(ProjectList::ClassPath, 0), "x.jar");
    EXPECT_TRUE(q.resourceUpdateAvailable);
    EXPECT_TRUE(q.modified);
}
