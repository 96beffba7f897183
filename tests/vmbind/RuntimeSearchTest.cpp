// The runtime search's rules: Java versions and release files, the PE and
// ELF header checks (cut at every length), the path rules, and the search
// of a home on Linux (layouts, rejections and their log, one look per
// home, the runtime taken).
#include <gtest/gtest.h>

#include <filesystem>

#include <sys/stat.h>

#include "launcher/DiagnosticLog.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TextSupport.h"
#include "vmbind/JavaVersion.h"
#include "vmbind/LibraryHeader.h"
#include "vmbind/RuntimeDiscovery.h"
#include "vmbind/RuntimeFacts.h"
#include "vmbind/RuntimeSearch.h"

namespace {

using caskit_test::TempFolder;
using Verdict = LibraryVerdict;

std::vector<unsigned> parts(const char* text) {
    JavaVersion v = parseJavaVersion(text);
    return {v.parts[0], v.parts[1], v.parts[2], v.parts[3]};
}

std::string release(const std::string& bytes) {
    Text version;
    const char* problem = "";
    return releaseFileVersion(bytes.data(), bytes.size(), version, problem) ? str(version) : problem;
}

void put16(std::string& b, size_t at, unsigned v) {
    b[at] = static_cast<char>(v);
    b[at + 1] = static_cast<char>(v >> 8);
}
void put32(std::string& b, size_t at, unsigned v) { put16(b, at, v & 0xFFFF), put16(b, at + 2, v >> 16); }
const unsigned char* bytes(const std::string& s) { return reinterpret_cast<const unsigned char*>(s.data()); }

// A PE file of 0x300 bytes: e_lfanew 0x80, one section, a 0xF0-byte
// optional header, the section's raw data at 0x200..0x300.
std::string peImage(unsigned machine, unsigned magic) {
    std::string b(0x300, '\0');
    b[0] = 'M', b[1] = 'Z', b[60] = '\x80';
    b.replace(0x80, 4, std::string("PE\0\0", 4));
    put16(b, 0x84, machine), put16(b, 0x86, 1), put16(b, 0x94, 0xF0), put16(b, 0x98, magic);
    put32(b, 0x188 + 16, 0x100), put32(b, 0x188 + 20, 0x200);
    return b;
}

// `n` bytes of `b` from `at` in a buffer of their own, so that the
// sanitizer sees a read past them.
std::vector<unsigned char> cut(const std::string& b, size_t at, size_t n) {
    return std::vector<unsigned char>(b.begin() + static_cast<std::ptrdiff_t>(at),
                                      b.begin() + static_cast<std::ptrdiff_t>(at + n));
}

// The first `size` bytes of `b` read as the launcher reads a file of that length.
Verdict pe(const std::string& b, size_t size, Machine& found) {
    uint32_t offset = 0;
    Verdict v = readDosHeader(cut(b, 0, size < 64 ? size : 64).data(), size < 64 ? size : 64, offset);
    if (v != Verdict::Loadable) return v;
    size_t rest = size > offset ? size - offset : 0;
    if (rest > kPeHeadersRead) rest = kPeHeadersRead;
    return readPeHeader(cut(b, offset < size ? offset : size, rest).data(), rest, offset, size, found);
}

Verdict elf(const std::string& b, size_t size, Machine& found) {
    return readElfHeader(cut(b, 0, size).data(), size, size, found);
}

std::string elfImage(char elfClass, unsigned machine) {
    std::string b(64, '\0');
    b.replace(0, 4, "\x7f" "ELF");
    b[4] = elfClass, b[5] = 1;
    put16(b, 18, machine);
    return b;
}

std::string problem(const std::string& path) {
    Machine found{0, 0};
    return libraryProblem(checkLibraryFile(path.c_str(), found), ownMachine().bits);
}

}  // namespace

TEST(JavaVersion, NumberingNamesAndReleaseFiles) {
    using V = std::vector<unsigned>;
    EXPECT_EQ(parts("1.8.0_401"), (V{8, 0, 401, 0}));
    EXPECT_EQ(parts("21.0.5.11"), (V{21, 0, 5, 11}));
    EXPECT_EQ(parts("17.0.10+7"), (V{17, 0, 10, 7}));
    EXPECT_EQ(parts("zulu-17"), (V{17, 0, 0, 0}));
    EXPECT_EQ(parts("java-1.17.0-openjdk-amd64"), (V{17, 0, 0, 0}));
    EXPECT_EQ(parts("default-java"), (V{0, 0, 0, 0}));
    EXPECT_EQ(parts("99999999999999999999.1.2.3.4"), (V{999999, 1, 2, 3}));
    EXPECT_TRUE(isLaterVersion(parseJavaVersion("17"), parseJavaVersion("1.8.0_401")));
    EXPECT_TRUE(isLaterVersion(parseJavaVersion("21.0.5"), parseJavaVersion("21")));
    EXPECT_FALSE(isLaterVersion(parseJavaVersion("17.0"), parseJavaVersion("17")));
    EXPECT_EQ(release("IMPLEMENTOR=\"x\"\nJAVA_VERSION=\"17.0.15\"\r\nOS=\"L\"\n"), "17.0.15");
    EXPECT_EQ(release("JAVA_VERSION=\"25\""), "25");
    EXPECT_EQ(release(""), "empty file");
    EXPECT_EQ(release(" JAVA_VERSION=\"1\"\n"), "no JAVA_VERSION");
    EXPECT_EQ(release("JAVA_VERSION=\"17.0.15\nOS=\"x\"\n"), "JAVA_VERSION not terminated");
    EXPECT_EQ(release("JAVA_VERSION=\"\"\n"), "JAVA_VERSION empty");
}

// The release file is looked for up to the runtime's home and no higher,
// and a FIFO in its place is passed over at once.
TEST(JavaVersion, ReleaseFileOfTheRuntimesOwnHome) {
    TempFolder t;
    std::filesystem::create_directories(t.file("jdk/lib/server"));
    std::filesystem::create_directories(t.file("jdk/bin"));
    t.write("release", "JAVA_VERSION=\"11\"\n");
    const std::string library = t.write("jdk/lib/server/libjvm.so", "");
    EXPECT_EQ(readRuntimeFacts(library.c_str()).version.count, 0u);
    ASSERT_EQ(mkfifo(t.file("jdk/release").c_str(), 0600), 0);
    EXPECT_EQ(readRuntimeFacts(library.c_str()).version.count, 0u);
    // A Java 8 JDK: the library under jre/, the release file at the top.
    std::filesystem::create_directories(t.file("j8/jre/lib/amd64/server"));
    std::filesystem::create_directories(t.file("j8/jre/bin"));
    t.write("j8/release", "JAVA_VERSION=\"1.8.0_392\"\n");
    EXPECT_EQ(readRuntimeFacts(t.write("j8/jre/lib/amd64/server/libjvm.so", "").c_str()).version.parts[0], 8u);
}

TEST(JavaVersion, EveryFormItMeets) {
    using V = std::vector<unsigned>;
    EXPECT_EQ(parts("1.8"), (V{8, 0, 0, 0}));  // a registry key's two parts
    EXPECT_EQ(parts("1.8.0_392"), (V{8, 0, 392, 0}));
    EXPECT_EQ(parts("1"), (V{1, 0, 0, 0}));
    EXPECT_EQ(parts("17"), (V{17, 0, 0, 0}));
    EXPECT_EQ(parts("21.0.5"), (V{21, 0, 5, 0}));
    EXPECT_EQ(parts("25-ea"), (V{25, 0, 0, 0}));
    EXPECT_EQ(parts("11.0.2-ea+7"), (V{11, 0, 2, 7}));  // the build after "+", as in 17.0.15+6
    const char* const ascending[] = {"1.8", "1.8.0_392", "17", "21", "21.0.5", "25-ea"};
    for (size_t i = 0; i + 1 < sizeof ascending / sizeof *ascending; ++i) {
        EXPECT_TRUE(isLaterVersion(parseJavaVersion(ascending[i + 1]), parseJavaVersion(ascending[i]))) << i;
        EXPECT_FALSE(isLaterVersion(parseJavaVersion(ascending[i]), parseJavaVersion(ascending[i + 1]))) << i;
    }
}

TEST(LibraryHeader, EveryVerdictHasItsText) {
    const std::pair<Verdict, const char*> texts[] = {
        {Verdict::Loadable, ""},
        {Verdict::Unreadable, "cannot be read"},
        {Verdict::NotPe, "not a PE file"},
        {Verdict::NotElf, "not an ELF file"},
        {Verdict::Truncated, "truncated file"},
        {Verdict::OtherBitness, "32-bit library, this program is 64-bit"},
        {Verdict::OtherMachine, "library for another processor"}};
    for (const auto& t : texts) EXPECT_STREQ(libraryProblem(t.first, 64), t.second);
}

TEST(LibraryHeader, PeMachinesAndEveryLength) {
    const Machine x64{0x8664, 64};
    Machine found{0, 0};
    EXPECT_EQ(pe(peImage(0x8664, 0x20B), 0x300, found), Verdict::Loadable);
    EXPECT_EQ(compareMachine(found, x64), Verdict::Loadable);
    pe(peImage(0x14C, 0x10B), 0x300, found);
    EXPECT_STREQ(libraryProblem(compareMachine(found, x64), 64), "32-bit library, this program is 64-bit");
    pe(peImage(0x8664, 0x20B), 0x300, found);
    EXPECT_STREQ(libraryProblem(compareMachine(found, Machine{0x14C, 32}), 32),
                 "64-bit library, this program is 32-bit");
    pe(peImage(0xAA64, 0x20B), 0x300, found);
    EXPECT_STREQ(libraryProblem(compareMachine(found, x64), 64), "library for another processor");
    EXPECT_EQ(pe(peImage(0x8664, 0x107), 0x300, found), Verdict::NotPe);
    std::string b = peImage(0x8664, 0x20B);
    b[0x81] = 'X';
    EXPECT_EQ(pe(b, b.size(), found), Verdict::NotPe);
    b = peImage(0x8664, 0x20B);
    b[63] = '\xFF';  // e_lfanew beyond the file
    EXPECT_EQ(pe(b, b.size(), found), Verdict::Truncated);
    // A section table larger than the header read is no DLL's.
    b = peImage(0x8664, 0x20B) + std::string(2 * kPeHeadersRead, '\0');
    put16(b, 0x86, 300);
    EXPECT_EQ(pe(b, b.size(), found), Verdict::NotPe);
    // Cut anywhere before the end of its last section: truncated.
    b = peImage(0x8664, 0x20B);
    for (size_t n = 0; n < b.size(); ++n) ASSERT_EQ(pe(b, n, found), n < 2 ? Verdict::NotPe : Verdict::Truncated) << n;
    // A section without raw data: the file may end with the section table.
    put32(b, 0x188 + 16, 0), put32(b, 0x188 + 20, 0);
    EXPECT_EQ(pe(b, 0x188 + 40, found), Verdict::Loadable);
    EXPECT_EQ(pe(b, 0x188 + 39, found), Verdict::Truncated);
    EXPECT_EQ(compareMachine(Machine{0x8664, 64}, Machine{0x8664, 64}), Verdict::Loadable);
    EXPECT_EQ(compareMachine(Machine{0x14C, 32}, Machine{0x8664, 64}), Verdict::OtherBitness);
    EXPECT_EQ(compareMachine(Machine{0xAA64, 64}, Machine{0x8664, 64}), Verdict::OtherMachine);
}

TEST(LibraryHeader, ElfClassesTablesEveryLengthAndFiles) {
    const Machine own = ownMachine();
    Machine found{0, 0};
    const std::string elf64 = elfImage(2, own.machine);
    EXPECT_EQ(readElfHeader(bytes(elf64), 64, 64, found), Verdict::Loadable);
    EXPECT_EQ(compareMachine(found, own), Verdict::Loadable);
    EXPECT_EQ(readElfHeader(bytes(elfImage(1, 3)), 52, 52, found), Verdict::Loadable);
    EXPECT_EQ(compareMachine(found, own), Verdict::OtherBitness);
    readElfHeader(bytes(elfImage(2, 183)), 64, 64, found);
    EXPECT_EQ(compareMachine(found, own), Verdict::OtherMachine);
    std::string b = elf64;
    b[5] = 2;  // big-endian
    EXPECT_EQ(readElfHeader(bytes(b), 64, 64, found), Verdict::NotElf);
    for (size_t n = 0; n < 64; ++n) ASSERT_EQ(elf(elf64, n, found), n < 4 ? Verdict::NotElf : Verdict::Truncated) << n;
    const std::string elf32 = elfImage(1, 3).substr(0, 52);
    for (size_t n = 0; n <= 52; ++n)
        ASSERT_EQ(elf(elf32, n, found), n < 4 ? Verdict::NotElf : n < 52 ? Verdict::Truncated : Verdict::Loadable) << n;
    // Both header tables must end within the file.
    b = elf64;
    put32(b, 0x28, 0x1000), put16(b, 0x3A, 64), put16(b, 0x3C, 3), put32(b, 0x20, 0x40), put16(b, 0x38, 0);
    EXPECT_EQ(readElfHeader(bytes(b), 64, 0x1000 + 192, found), Verdict::Loadable);
    EXPECT_EQ(readElfHeader(bytes(b), 64, 0x1000 + 191, found), Verdict::Truncated);
    put32(b, 0x2C, 0xFFFFFFFF);  // an offset beyond any file
    EXPECT_EQ(readElfHeader(bytes(b), 64, 0x1000 + 192, found), Verdict::Truncated);

    TempFolder t;
    const std::string libm = caskit_test::readFile("/lib/x86_64-linux-gnu/libm.so.6");
    EXPECT_EQ(problem(t.write("libm.so", libm)), "");
    EXPECT_EQ(problem(t.write("cut.so", libm.substr(0, libm.size() / 2))), "truncated file");
    EXPECT_EQ(problem(t.write("lib32.so", elfImage(1, 3))), "32-bit library, this program is 64-bit");
    EXPECT_EQ(problem(t.write("text.so", "#!/bin/sh\n")), "not an ELF file");
    EXPECT_EQ(problem(t.path()), "cannot be read");
}

TEST(RuntimeSearch, PathRulesAndTheRejectedList) {
    EXPECT_EQ(pathProblem(""), std::string("empty"));
    EXPECT_EQ(pathProblem("relative/jdk"), std::string("not a path"));
    EXPECT_EQ(pathProblem("/opt/jdk\n"), std::string("not a path"));
    EXPECT_EQ(pathProblem("/opt/jdk 17"), nullptr);
    EXPECT_EQ(unquoted("\"/opt/jdk\""), "/opt/jdk");
    EXPECT_EQ(parentFolder("/usr/lib/jvm/j17/bin//"), "/usr/lib/jvm/j17");
    EXPECT_EQ(parentFolder("/java"), "/");
    EXPECT_EQ(joinPath("/j/", "lib") + joinPath("/j", "lib"), "/j/lib/j/lib");
    EXPECT_EQ(withRejectedLines("T", {}), "T");
    List<Text> many;
    for (int i = 0; i < 23; ++i) many.push_back(text("/r" + std::to_string(i) + ": z"));
    const std::string capped = str(withRejectedLines("T", many));
    EXPECT_EQ(capped.substr(0, 16), "T\n\n/r0: z\n/r1: z");
    EXPECT_NE(capped.find("\n/r19: z\n(3 more not shown)"), std::string::npos) << capped;
    EXPECT_EQ(capped.find("/r20"), std::string::npos);
}

TEST(RuntimeSearch, HomesLayoutsRejectionsAndTheLog) {
    TempFolder t;
    diagnosticLog().place(text(t.file("Log.txt")), "");
    LaunchParameters parameters(PropertyStyle::Option);
    parameters.diagnosticsEnabled = true;
    RuntimePaths paths;
    RuntimeSearch search(parameters, linuxJvmProfile(), paths);
    // lib/server comes before lib/client: the 32-bit library there is named.
    std::filesystem::create_directories(t.file("j32/lib/server"));
    std::filesystem::create_directories(t.file("j32/lib/client"));
    std::filesystem::create_directories(t.file("empty"));
    const std::string lib32 = t.write("j32/lib/server/libjvm.so", elfImage(1, 3));
    t.write("j32/lib/client/libjvm.so", elfImage(2, ownMachine().machine));
    std::filesystem::create_directory_symlink(t.file("j32"), t.file("alias"));
    EXPECT_FALSE(examineHome(search, "JAVA_HOME", text(t.file("j32")), true));
    EXPECT_FALSE(examineHome(search, "link", text(t.file("alias") + "/"), true));  // the same home
    EXPECT_FALSE(examineHome(search, "beside", text(t.file("missing")), false));
    EXPECT_FALSE(examineHome(search, "PATH", text(t.file("gone")), true));
    EXPECT_FALSE(examineHome(search, "/usr/lib/jvm", text(t.file("empty")), false));
    Text problem;
    EXPECT_TRUE(admitsLibrary(search, "binarypath", "libjvm.so", problem));             // left to the loader
    EXPECT_TRUE(admitsLibrary(search, "binarypath", text(t.file("no.so")), problem));  // left to the loader
    EXPECT_FALSE(admitsLibrary(search, "binarypath", text(lib32), problem));
    EXPECT_EQ(problem, "32-bit library, this program is 64-bit");
    EXPECT_FALSE(search.library);
    EXPECT_EQ(search.rejected, (std::vector<std::string>{lib32 + ": 32-bit library, this program is 64-bit",
                                                         t.file("gone") + ": folder not found",
                                                         t.file("empty") + ": no libjvm.so in this folder",
                                                         lib32 + ": 32-bit library, this program is 64-bit"}));
    diagnosticLog().close();
    EXPECT_EQ(caskit_test::readFile(t.file("Log.txt")),
              "   Runtime " + lib32 + ": 32-bit library, this program is 64-bit (JAVA_HOME)\n"
              "   Runtime " + t.file("gone") + ": folder not found (PATH)\n"
              "   Runtime " + t.file("empty") + ": no libjvm.so in this folder (/usr/lib/jvm)\n"
              "   Runtime " + lib32 + ": 32-bit library, this program is 64-bit (binarypath)\n");
}

TEST(RuntimeSearch, TakenLibraryBecomesTheDiscoveredRuntime) {
    TempFolder t;
    LaunchParameters parameters(PropertyStyle::Option);
    RuntimePaths paths;
    RuntimeSearch search(parameters, linuxJvmProfile(), paths);
    std::filesystem::create_directories(t.file("jdk/lib/server"));
    // Any library of this machine stands in: the C math library.
    std::filesystem::create_symlink("/lib/x86_64-linux-gnu/libm.so.6", t.file("jdk/lib/server/libjvm.so"));
    paths.classLib = "/old/rt.jar";
    ASSERT_TRUE(examineHome(search, "JAVA_HOME", text(t.file("jdk")), true));
    EXPECT_TRUE(search.library);
    EXPECT_EQ(paths.runtimeLib + " " + paths.home + " " + paths.bin + " [" + paths.classLib + "]",
              t.file("jdk/lib/server/libjvm.so") + " " + t.file("jdk") + " " + t.file("jdk/lib/") + " []");
    EXPECT_TRUE(search.rejected.empty());
    search.library.reset();
}
