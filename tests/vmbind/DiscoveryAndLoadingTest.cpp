// Derived runtime paths, the new PATH and the loading plans of both
// launchers (and the Linux one), with their exact message texts.
#include <gtest/gtest.h>

#include "vmbind/LibraryLoading.h"
#include "vmbind/RuntimeDiscovery.h"
#include "vmbind/SearchPath.h"
#include "tests/support/TextSupport.h"

namespace {

const std::string kJdk11RegistryText =
    "This machine's registry has a valid entry for JDK 1.1.x\nHowever, the javai.dll does not exist where the "
    "registry says it does.\nReinstall JDK 1.1.x. or edit your registry to point to your Java binary "
    "directory.\n\nThis application will now try looking on the path environment variable.";
const std::string kJdk12RegistryText =
    "This machine's registry has a valid entry for JDK 1.2\nHowever, the jvm.dll does not exist where the "
    "registry says it does.\nReinstall JDK 1.2. or edit your registry to point to your Java binary "
    "directory.\n\nThis application will now try looking on the path environment variable.";

LoadStep load(const std::string& path) { return LoadStep{LoadStep::Kind::Load, path, ""}; }
const LoadStep kSearch{LoadStep::Kind::Search, "", ""};
LoadStep message(const std::string& text, const std::string& caption) {
    return LoadStep{LoadStep::Kind::Message, text, caption};
}

const LoadStep kJdk11Registry = message(kJdk11RegistryText, "Can't locate Javai.dll");
const LoadStep kJdk12Registry = message(kJdk12RegistryText, "Can't locate Jvm.dll");
const LoadStep kJdk11NotFound = message("Can't locate javai.dll", "Error");
const LoadStep kJdk12NotFound = message("Can't locate jvm.dll", "Error");

// The pure functions with optional texts.
RuntimePaths derive(const RuntimeProfile& profile, const std::optional<std::string>& home, bool usable,
                    const std::optional<std::string>& runtimeLib) {
    Text homeText = home ? text(*home) : Text(), libText = runtimeLib ? text(*runtimeLib) : Text();
    return deriveRuntimePaths(profile, home ? &homeText : nullptr, usable, runtimeLib ? &libText : nullptr);
}

std::string logLines(const RuntimePaths& paths) {
    std::string joined;
    for (const Text& line : discoveryLines(paths)) joined += str(line) + "\n";
    return joined;
}

std::vector<std::string> keys(const char* const* names) {
    std::vector<std::string> out;
    for (; *names; ++names) out.push_back(*names);
    return out;
}

std::string searchPath(const char* bin, const char* folder, const std::optional<std::string>& startup) {
    Text startupText = startup ? text(*startup) : Text();
    return str(newSearchPath(bin, folder, startup ? &startupText : nullptr));
}

std::vector<LoadStep> plan(const RuntimeProfile& profile, const char* binaryPath, const char* discovered) {
    List<LoadStep> steps = loadingPlan(profile, binaryPath, discovered);
    return std::vector<LoadStep>(steps.begin(), steps.end());
}

}  // namespace

TEST(RuntimeDiscovery, Jdk11PathsBelowTheHome) {
    RuntimePaths p = derive(jdk11Profile(), std::string("C:\\jdk"), true, std::string("ignored"));
    EXPECT_EQ(p.home, "C:\\jdk");
    EXPECT_EQ(p.bin, "C:\\jdk\\bin\\");
    EXPECT_EQ(p.runtimeLib, "C:\\jdk\\bin\\javai.dll");
    EXPECT_EQ(p.classLib, "C:\\jdk\\lib\\classes.zip;");
}

TEST(RuntimeDiscovery, Jdk12PathsAndRuntimeLibOverride) {
    RuntimePaths p = derive(jdk12Profile(), std::string("C:\\jre"), true, std::nullopt);
    EXPECT_EQ(p.bin, "C:\\jre\\bin\\");
    EXPECT_EQ(p.runtimeLib, "C:\\jre\\bin\\classic\\jvm.dll");
    EXPECT_EQ(p.classLib, "C:\\jre\\lib\\rt.jar");
    p = derive(jdk12Profile(), std::string("C:\\jre"), true, std::string("D:\\hotspot\\jvm.dll"));
    EXPECT_EQ(p.runtimeLib, "D:\\hotspot\\jvm.dll");
    EXPECT_EQ(p.classLib, "C:\\jre\\lib\\rt.jar");
}

TEST(RuntimeDiscovery, TrailingBackslashIsKeptAndDoubled) {
    RuntimePaths p = derive(jdk12Profile(), std::string("C:\\jre\\"), true, std::nullopt);
    EXPECT_EQ(p.bin, "C:\\jre\\\\bin\\");
    EXPECT_EQ(p.classLib, "C:\\jre\\\\lib\\rt.jar");
}

TEST(RuntimeDiscovery, UnusableOrMissingHomeLeavesEverythingEmpty) {
    for (const RuntimeProfile* profile : {&jdk11Profile(), &jdk12Profile()}) {
        RuntimePaths p = derive(*profile, std::string("C:\\ro"), false, std::string("x"));
        EXPECT_EQ(p.home + p.bin + p.runtimeLib + p.classLib, Text());
        p = derive(*profile, std::nullopt, true, std::nullopt);
        EXPECT_EQ(p.home + p.bin + p.runtimeLib + p.classLib, Text());
    }
}

TEST(RuntimeDiscovery, LinuxRuntimeHasNoClassLibrary) {
    RuntimePaths p = derive(linuxJvmProfile(), std::string("/usr/lib/jvm/j17"), true, std::nullopt);
    EXPECT_EQ(p.runtimeLib, "/usr/lib/jvm/j17/lib/server/libjvm.so");
    EXPECT_EQ(p.bin, "/usr/lib/jvm/j17/bin/");
    EXPECT_EQ(p.classLib, "");
    EXPECT_FALSE(linuxJvmProfile().rewritesPath);
    EXPECT_EQ(linuxJvmProfile().registryKeys[0], nullptr);
}

TEST(RuntimeDiscovery, ProfilesNameTheirRegistryKeysInOrder) {
    EXPECT_EQ(keys(jdk11Profile().registryKeys),
              (std::vector<std::string>{"SOFTWARE\\JavaSoft\\Java Development Kit\\1.1\\",
                                        "SOFTWARE\\JavaSoft\\Java Runtime Environment\\1.1.6\\"}));
    EXPECT_EQ(keys(jdk12Profile().registryKeys),
              (std::vector<std::string>{"SOFTWARE\\JavaSoft\\Java Runtime Environment\\1.2\\"}));
    EXPECT_STREQ(jdk12Profile().runtimeLibValue, "RuntimeLib");
    EXPECT_STREQ(jdk11Profile().runtimeLibValue, "");
}

TEST(RuntimeDiscovery, DiscoveryLinesEvenWhenEmpty) {
    EXPECT_EQ(logLines(RuntimePaths{}),
              "   gJDKHome = \n   gJDKBin = \n   gJDKRuntimeLib = \n   gJDKClassLib = \n");
    RuntimePaths p = derive(jdk11Profile(), std::string("C:\\jdk"), true, std::nullopt);
    EXPECT_EQ(logLines(p),
              "   gJDKHome = C:\\jdk\n   gJDKBin = C:\\jdk\\bin\\\n   gJDKRuntimeLib = C:\\jdk\\bin\\javai.dll\n"
              "   gJDKClassLib = C:\\jdk\\lib\\classes.zip;\n");
}

TEST(SearchPath, CurrentFolderBinFolderExeFolderThenStartupPath) {
    EXPECT_EQ(searchPath("C:\\jre\\bin\\", "D:\\app\\", std::string("C:\\WINDOWS")),
              ".;C:\\jre\\bin\\;D:\\app\\;C:\\WINDOWS;");
    EXPECT_EQ(searchPath("C:\\jre\\bin\\", "D:\\app\\", std::nullopt), ".;C:\\jre\\bin\\;D:\\app\\;");
    EXPECT_EQ(searchPath("", "D:\\app\\", std::string("P")), ".;D:\\app\\;P;");
    EXPECT_EQ(searchPath("", "", std::nullopt), ".;");
    EXPECT_EQ(searchPath("", "", std::string("")), ".;;");
}

TEST(LoadingPlan, RegisteredRuntimeFound) {
    EXPECT_EQ(plan(jdk11Profile(), "#internal#", "C:\\jdk\\bin\\javai.dll"),
              (std::vector<LoadStep>{load("C:\\jdk\\bin\\javai.dll"), load("javai.dll"), kJdk11NotFound}));
    EXPECT_EQ(plan(jdk12Profile(), "#internal#", "C:\\jre\\bin\\classic\\jvm.dll"),
              (std::vector<LoadStep>{load("C:\\jre\\bin\\classic\\jvm.dll"), load("jvm.dll"), kSearch,
                                     kJdk12NotFound}));
}

TEST(LoadingPlan, NothingRegistered) {
    EXPECT_EQ(plan(jdk11Profile(), "#internal#", ""),
              (std::vector<LoadStep>{kJdk11Registry, load("javai.dll"), kJdk11NotFound}));
    EXPECT_EQ(plan(jdk12Profile(), "#internal#", ""),
              (std::vector<LoadStep>{kJdk12Registry, load("jvm.dll"), kSearch, kJdk12NotFound}));
}

TEST(LoadingPlan, ConfiguredPathWithNothingRegistered) {
    // The JDK 1.1 launcher tries the empty discovered path and shows no
    // registry message; the JDK 1.2 launcher shows it before the bare name.
    EXPECT_EQ(plan(jdk11Profile(), "C:\\vm\\javai.dll", ""),
              (std::vector<LoadStep>{load("C:\\vm\\javai.dll"), load(""), load("javai.dll"), kJdk11NotFound}));
    EXPECT_EQ(plan(jdk12Profile(), "C:\\vm\\jvm.dll", ""),
              (std::vector<LoadStep>{load("C:\\vm\\jvm.dll"), kJdk12Registry, load("jvm.dll"), kSearch,
                                     kJdk12NotFound}));
}

TEST(LoadingPlan, ConfiguredPathWithRegisteredRuntime) {
    EXPECT_EQ(plan(jdk11Profile(), "C:\\vm\\javai.dll", "C:\\jdk\\bin\\javai.dll"),
              (std::vector<LoadStep>{load("C:\\vm\\javai.dll"), load("C:\\jdk\\bin\\javai.dll"), load("javai.dll"),
                                     kJdk11NotFound}));
    EXPECT_EQ(plan(jdk12Profile(), "C:\\vm\\jvm.dll", "C:\\jre\\jvm.dll"),
              (std::vector<LoadStep>{load("C:\\vm\\jvm.dll"), load("C:\\jre\\jvm.dll"), load("jvm.dll"),
                                     kSearch, kJdk12NotFound}));
}

TEST(LoadingPlan, BundledRuntimeOnly) {
    // The registered runtime, the bare name and the configured path play no part.
    EXPECT_EQ(plan(jdk12Profile(), "#bundled#", "C:\\jre\\jvm.dll"), (std::vector<LoadStep>{kSearch, kJdk12NotFound}));
}

TEST(LoadingPlan, EmptyBinaryPathIsAConfiguredPath) {
    EXPECT_EQ(plan(jdk12Profile(), "", ""),
              (std::vector<LoadStep>{load(""), kJdk12Registry, load("jvm.dll"), kSearch, kJdk12NotFound}));
    EXPECT_EQ(plan(jdk12Profile(), "#Internal#", "x").front(), load("#Internal#"));
}

TEST(LoadingPlan, LinuxLauncherSearchesBeforeTheBareName) {
    const LoadStep registry = message("JAVA_HOME does not name a Java runtime.\nSet JAVA_HOME to the folder of a "
                                      "Java runtime.\n\nThis application will now try the library search path.",
                                      "Can't locate libjvm.so");
    const LoadStep notFound = message("Can't locate libjvm.so", "Error");
    EXPECT_EQ(plan(linuxJvmProfile(), "#internal#", ""),
              (std::vector<LoadStep>{kSearch, registry, load("libjvm.so"), notFound}));
    EXPECT_EQ(plan(linuxJvmProfile(), "/vm/libjvm.so", ""),
              (std::vector<LoadStep>{load("/vm/libjvm.so"), kSearch, registry, load("libjvm.so"), notFound}));
}
