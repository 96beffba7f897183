// The advanced pages (dialogs 109 and 125) and the heap pages (123, 124).

#include "builder/ui/Pages.h"
#include "tests/ui_pages/PageHarness.h"

using namespace harness;

PAGE_TEST(advancedPageJdk11FillsAndStores) {
    Project project;
    resetProject(project, 1);
    project.setClassPathMode(1);
    project.setVerifyOption(2);
    project.setAsyncGcEnabled(true);
    project.setClassGcEnabled(true);
    project.setJitEnabled(true);
    project.setRouteConsole(true);
    project.modified = false;
    Page page(createAdvancedPage(container(), &project, IDD_ADVANCED_JDK11));
    CHECK(page.item(IDC_JIT) == nullptr);
    CHECK(!checked(page.get(), IDC_CP_APPEND) && checked(page.get(), IDC_CP_PREPEND) &&
          !checked(page.get(), IDC_CP_IGNORE));
    CHECK(!checked(page.get(), IDC_VERIFY_REMOTE) && !checked(page.get(), IDC_VERIFY_ON) &&
          checked(page.get(), IDC_VERIFY_OFF));
    CHECK(checked(page.get(), IDC_ASYNC_GC) && checked(page.get(), IDC_CLASS_GC));
    CHECK(!checked(page.get(), IDC_CONSOLE));
    CHECK(checked(page.get(), IDC_ROUTE_CONSOLE));
    CHECK(!enabled(page.get(), IDC_ROUTE_CONSOLE));
    CHECK(!hasStyle(page.item(IDC_ROUTE_CONSOLE), WS_VISIBLE));
    CHECK_EQ(helpId(page.get()), 6);
    CHECK_EQ(verify(page.get()), 1);
    CHECK_EQ(project.modified, false);

    click(page.get(), IDC_CP_IGNORE);
    click(page.get(), IDC_VERIFY_REMOTE);
    click(page.get(), IDC_ASYNC_GC);
    click(page.get(), IDC_CONSOLE);
    CHECK(enabled(page.get(), IDC_ROUTE_CONSOLE));
    CHECK_EQ(project.modified, false);  // nothing is stored before PAGE_VERIFY
    CHECK_EQ(verify(page.get()), 1);
    CHECK_EQ(project.classPathMode(), 2);
    CHECK_EQ(project.verifyOption(), 0);
    CHECK_EQ(project.asyncGcEnabled(), false);
    CHECK_EQ(project.classGcEnabled(), true);
    CHECK_EQ(project.consoleWindow(), true);
    CHECK_EQ(project.routeConsole(), true);
    CHECK_EQ(project.jitEnabled(), true);  // not on this page: unchanged
    CHECK_EQ(project.modified, true);

    click(page.get(), IDC_VERIFY_ON);
    click(page.get(), IDC_CP_APPEND);
    click(page.get(), IDC_CLASS_GC);
    click(page.get(), IDC_CONSOLE);
    CHECK(!enabled(page.get(), IDC_ROUTE_CONSOLE));
    CHECK_EQ(verify(page.get()), 1);
    CHECK_EQ(project.classPathMode(), 0);
    CHECK_EQ(project.verifyOption(), 1);
    CHECK_EQ(project.classGcEnabled(), false);
    CHECK_EQ(project.consoleWindow(), false);
    CHECK_EQ(project.routeConsole(), true);  // disabled, still stored
}

PAGE_TEST(advancedPageJdk20LeavesHiddenSettings) {
    Project project;
    resetProject(project, 2);
    project.setClassPathMode(2);
    project.setVerifyOption(1);
    project.setAsyncGcEnabled(true);
    project.setConsoleWindow(true);
    project.modified = false;
    Page page(createAdvancedPage(container(), &project, IDD_ADVANCED_JDK20));
    CHECK(page.item(IDC_VERIFY_REMOTE) == nullptr && page.item(IDC_ASYNC_GC) == nullptr);
    CHECK(checked(page.get(), IDC_CP_IGNORE) && !checked(page.get(), IDC_CP_APPEND));
    CHECK(!checked(page.get(), IDC_JIT));
    CHECK(checked(page.get(), IDC_CONSOLE));
    CHECK(enabled(page.get(), IDC_ROUTE_CONSOLE));
    CHECK(!hasStyle(page.item(IDC_ROUTE_CONSOLE), WS_VISIBLE));
    CHECK_EQ(verify(page.get()), 1);
    CHECK_EQ(project.modified, false);
    click(page.get(), IDC_JIT);
    click(page.get(), IDC_CP_PREPEND);
    click(page.get(), IDC_CLASS_GC);
    click(page.get(), IDC_ROUTE_CONSOLE);
    CHECK_EQ(verify(page.get()), 1);
    CHECK_EQ(project.jitEnabled(), true);
    CHECK_EQ(project.classPathMode(), 1);
    CHECK_EQ(project.classGcEnabled(), true);
    CHECK_EQ(project.routeConsole(), true);
    CHECK_EQ(project.verifyOption(), 1);
    CHECK_EQ(project.asyncGcEnabled(), true);
    CHECK_EQ(helpId(page.get()), 6);
}

PAGE_TEST(heapPageJdk11StoresSizes) {
    Project project;
    resetProject(project, 1);
    Page page(createHeapPage(container(), &project, IDD_HEAP_JDK11));
    CHECK_EQ(text(page.get(), IDC_MIN_HEAP), "1024");
    CHECK_EQ(text(page.get(), IDC_MAX_HEAP), "16384");
    CHECK_EQ(text(page.get(), IDC_NATIVE_STACK), "128");
    CHECK_EQ(text(page.get(), IDC_JAVA_STACK), "512");
    // The size fields take digits only.
    SendMessageA(page.item(IDC_MIN_HEAP), WM_CHAR, 'k', 0);
    SendMessageA(page.item(IDC_JAVA_STACK), WM_CHAR, 'k', 0);
    CHECK_EQ(text(page.get(), IDC_MIN_HEAP), "1024");
    CHECK_EQ(text(page.get(), IDC_JAVA_STACK), "512");
    CHECK_EQ(helpId(page.get()), 7);
    CHECK_EQ(verify(page.get()), 1);
    CHECK_EQ(project.modified, false);
    type(page.get(), IDC_MIN_HEAP, "65536");
    type(page.get(), IDC_MAX_HEAP, "2048");  // below the minimum: stored as typed
    type(page.get(), IDC_NATIVE_STACK, "");
    type(page.get(), IDC_JAVA_STACK, "4096");
    CHECK_EQ(project.modified, false);
    CHECK_EQ(verify(page.get()), 1);
    CHECK_EQ(project.minHeap(), 65536u);
    CHECK_EQ(project.maxHeap(), 2048u);
    CHECK_EQ(project.maxNativeStack(), 0u);
    CHECK_EQ(project.maxJavaStack(), 4096u);
    CHECK_EQ(project.modified, true);
    // A JDK 1.1 runtime takes 32-bit byte counts: 2 GB and more is refused.
    takeModals();
    type(page.get(), IDC_JAVA_STACK, "2097151");
    CHECK_EQ(verify(page.get()), 1);
    type(page.get(), IDC_JAVA_STACK, "2097152");
    expectModal(IDOK);
    CHECK_EQ(verify(page.get()), 0);
    std::vector<ModalSeen> seen = takeModals();
    CHECK_EQ(seen.size(), 1u);
    if (seen.size() == 1) {
        CHECK_EQ(seen[0].caption, "Data Error");
        CHECK_EQ(seen[0].text, "The Java stack of 2097152 KB does not fit a JDK 1.1 runtime, which takes at most "
                               "2097151 KB (2 GB less 1 KB).");
    }
}

PAGE_TEST(heapPageJdk20StoresZeroStacks) {
    Project project;
    resetProject(project, 2);
    Page page(createHeapPage(container(), &project, IDD_HEAP_JDK20));
    CHECK(page.item(IDC_NATIVE_STACK) == nullptr && page.item(IDC_JAVA_STACK) == nullptr);
    CHECK_EQ(project.modified, false);
    // The zeros of the missing stack fields are no change of the user's.
    CHECK_EQ(verify(page.get()), 1);
    CHECK_EQ(project.maxNativeStack(), 0u);
    CHECK_EQ(project.modified, false);
    type(page.get(), IDC_MAX_HEAP, "32768");
    CHECK_EQ(verify(page.get()), 1);
    CHECK_EQ(project.modified, true);
    CHECK_EQ(project.minHeap(), 1024u);
    CHECK_EQ(project.maxHeap(), 32768u);
    CHECK_EQ(project.maxNativeStack(), 0u);
    CHECK_EQ(project.maxJavaStack(), 0u);
    CHECK_EQ(helpId(page.get()), 7);
    // "Runtime default" leaves a size to the runtime and greys its field.
    CHECK(!checked(page.get(), IDC_MIN_HEAP_DEFAULT) && enabled(page.get(), IDC_MAX_HEAP));
    click(page.get(), IDC_MAX_HEAP_DEFAULT);
    CHECK(!enabled(page.get(), IDC_MAX_HEAP) && enabled(page.get(), IDC_MIN_HEAP));
    CHECK_EQ(verify(page.get()), 1);
    CHECK_EQ(project.extended().runtimeHeap, static_cast<std::uint32_t>(kRuntimeMaxHeap));
    Page again(createHeapPage(container(), &project, IDD_HEAP_JDK20));
    CHECK(checked(again.get(), IDC_MAX_HEAP_DEFAULT) && !enabled(again.get(), IDC_MAX_HEAP));
}
