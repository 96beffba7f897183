// Which class-path folders a cached start moves behind the files: only
// those that hold nothing but the class path's own files, the executable's
// and the runtime's folder, looked through on the disk as they are.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>

#include "tests/support/TempFolder.h"
#include "tests/support/TextSupport.h"
#include "vmbind/IdleFolders.h"

TEST(IdleFolders, OnlyFoldersOfTheClassPathsOwnFilesMove) {
    caskit_test::TempFolder t;
    for (const char* name : {"lib", "rt", "rt/lib", "rt/lib/server", "empty", "other"})
        mkdir(t.file(name).c_str(), 0700);
    const std::string exe = t.write("app", "stub"), a = t.write("lib/a.jar", "a"), b = t.write("lib/b.jar", "b");
    t.write("app.options", "-Xmx1g");
    const std::string library = t.write("rt/lib/server/libjvm.so", "vm");
    auto moved = [&](const std::string& path, const std::string& lib) {
        Text text = path.c_str();
        const bool any = moveIdleFolders(text, exe.c_str(), lib.c_str());
        return std::string(any ? "moved " : "kept ") + text.c_str();
    };
    // The executable's folder (holding the runtime) and an empty one go
    // behind the jars, in their order.
    const std::string path = t.path() + ":" + a + ":" + t.file("empty") + ":" + b;
    EXPECT_EQ(moved(path, library), "moved " + a + ":" + b + ":" + t.path() + ":" + t.file("empty"));
    // An empty entry is the current folder, which here holds other files.
    EXPECT_EQ(moved(t.file("empty") + ":" + a + ":", library), "moved " + a + "::" + t.file("empty"));
    // A runtime that is not the one started is files like any other.
    caskit_test::TempFolder u;
    mkdir(u.file("lib").c_str(), 0700);
    mkdir(u.file("lib/server").c_str(), 0700);
    const std::string moves = "moved " + t.path() + ":" + a + ":" + b + ":" + t.file("empty");
    EXPECT_EQ(moved(path, u.write("lib/server/libjvm.so", "vm")), moves);
    // A file that is not on the class path keeps its folder in front: a
    // resource or class there is found before the jars'.
    t.write("lib/c.jar", "c");
    EXPECT_EQ(moved(path, library), moves);
    EXPECT_EQ(moved(t.path() + ":" + a + ":" + b + ":" + t.file("lib/c.jar"), library),
              "moved " + a + ":" + b + ":" + t.file("lib/c.jar") + ":" + t.path());
    // A folder of many entries is not looked through at every start.
    for (int i = 0; i < 70; ++i) t.write("empty/f" + std::to_string(i) + ".jar", "");
    EXPECT_EQ(moved(t.file("empty") + ":" + a, library), "kept " + t.file("empty") + ":" + a);
    EXPECT_EQ(moved(a + ":" + b, library), "kept " + a + ":" + b);
}
