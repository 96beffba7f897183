// What a program asks of its runtime: Java versions read whole and
// compared with bounds, the version resource's product version, the range
// and its reasons, the options file, JDK_JAVA_OPTIONS, the order of the
// option list and its dump, and the not-found message with a download
// address.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "platform/MessageBox.h"
#include "tests/support/TextSupport.h"
#include "vmbind/DownloadOffer.h"
#include "vmbind/Jdk12Options.h"
#include "vmbind/JdkJavaOptions.h"
#include "vmbind/OptionsFile.h"
#include "vmbind/VersionRange.h"

namespace {

// "8.0.392.8 count 4 ea" or the problem.
std::string read(const char* text) {
    JavaVersion v;
    const char* problem = "";
    if (!readJavaVersion(text, v, problem)) return problem;
    std::string out = std::to_string(v.parts[0]) + "." + std::to_string(v.parts[1]) + "." +
                      std::to_string(v.parts[2]) + "." + std::to_string(v.parts[3]) + " count " +
                      std::to_string(v.count);
    return v.earlyAccess ? out + " ea" : out;
}

JavaVersion version(const char* text) {
    JavaVersion v;
    const char* problem = nullptr;
    EXPECT_TRUE(readJavaVersion(text, v, problem)) << text;
    return v;
}

// A VS_VERSIONINFO block whose VS_FIXEDFILEINFO names product version a.b.c.d.
std::string versionResource(unsigned a, unsigned b, unsigned c, unsigned d) {
    std::string block(92, '\0');
    auto put16 = [&](size_t at, unsigned v) { block[at] = char(v & 0xFF), block[at + 1] = char(v >> 8); };
    auto put32 = [&](size_t at, unsigned v) { put16(at, v & 0xFFFF), put16(at + 2, v >> 16); };
    put16(0, 92), put16(2, 52);
    const char key[] = "VS_VERSION_INFO";
    for (size_t i = 0; i < sizeof key; ++i) put16(6 + 2 * i, static_cast<unsigned char>(key[i]));
    put32(40, 0xFEEF04BD), put32(56, a << 16 | b), put32(60, c << 16 | d);
    return block;
}

std::string fixedInfo(const std::string& bytes) {
    JavaVersion v;
    const char* problem = "";
    if (!fixedInfoVersion(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size(), v, problem))
        return problem;
    return str(versionText(v));
}

std::string rangeOf(const char* lowest, const char* highest, const char* runtime) {
    JavaVersion v;
    if (*runtime) v = version(runtime);
    return str(rangeProblem(versionRange(lowest, highest), v));
}

// Options of a file's bytes, or "line N: problem".
std::vector<std::string> optionsFile(const std::string& bytes, const char* exeDir = "/opt/app") {
    List<Text> options;
    size_t line = 0;
    const char* problem = nullptr;
    if (!readOptionsFile(bytes.data(), bytes.size(), exeDir, options, line, problem))
        return {"line " + std::to_string(line) + ": " + problem};
    return strs(options);
}

std::vector<std::string> split(const std::string& value) {
    List<Text> options;
    if (!splitJdkJavaOptions(text(value), options)) return {"not taken"};
    return strs(options);
}

struct Shown {
    std::string text;
    unsigned style = 0;
    int answer = platform::kIdNo;
};
std::vector<std::string> gOpened;
bool recordOpen(const char* address) {
    gOpened.push_back(address);
    return true;
}
int recordMessage(void* context, platform::WindowRef, const char* text, const char*, unsigned style) {
    Shown* shown = static_cast<Shown*>(context);
    shown->text = text;
    shown->style = style;
    return shown->answer;
}

}  // namespace

TEST(JavaVersion, BothSchemesReadWhole) {
    EXPECT_EQ(read("1.8"), "8.0.0.0 count 1");
    EXPECT_EQ(read("1.8.0_392"), "8.0.392.0 count 3");
    EXPECT_EQ(read("1.8.0_392-b08"), "8.0.392.8 count 4");
    EXPECT_EQ(read("11"), "11.0.0.0 count 1");
    EXPECT_EQ(read("17.0.2"), "17.0.2.0 count 3");
    EXPECT_EQ(read("17.0.15+6"), "17.0.15.6 count 4");
    EXPECT_EQ(read("21.0.5+11-LTS"), "21.0.5.11 count 4");
    EXPECT_EQ(read("21.0.5.11"), "21.0.5.11 count 4");
    EXPECT_EQ(read("25-ea"), "25.0.0.0 count 1 ea");
    EXPECT_EQ(read("999999"), "999999.0.0.0 count 1");
    for (const char* bad : {"17.", "17..2", ".17", " 17", "17 ", "v17", "17.0.2.1.5", "17_5", "1.8.0.1_5", "0",
                            "1.0", "17-", "17+", "17.x"})
        EXPECT_EQ(read(bad), "not a Java version") << bad;
    EXPECT_EQ(read(""), "empty");
    EXPECT_EQ(read("1000000"), "a number is too large");
}

TEST(JavaVersion, BoundsCoverTheVersionsTheyPrefix) {
    EXPECT_EQ(compareWithBound(version("21.0.5"), version("21")), 0);
    EXPECT_EQ(compareWithBound(version("1.8.0_392"), version("1.8")), 0);
    EXPECT_EQ(compareWithBound(version("17.0.1"), version("17.0.2")), -1);
    EXPECT_EQ(compareWithBound(version("17.0.2"), version("17.0.2")), 0);
    EXPECT_EQ(compareWithBound(version("17.0.15+6"), version("17.0.15+5")), 1);
    EXPECT_EQ(compareWithBound(version("1.8.0_392"), version("11")), -1);
    EXPECT_EQ(compareWithBound(version("25-ea"), version("25")), 0);
    EXPECT_TRUE(isLaterVersion(version("25"), version("25-ea")));
    EXPECT_FALSE(isLaterVersion(version("25-ea"), version("25")));
    EXPECT_EQ(versionText(version("1.8.0_392-b08")), "8.0.392.8");
    EXPECT_EQ(versionText(version("1.8")), "8");
    EXPECT_EQ(versionText(version("11.0.2")), "11.0.2");
    EXPECT_EQ(versionText(version("25-ea")), "25-ea");
}

TEST(JavaVersion, ProductVersionOfTheVersionResource) {
    EXPECT_EQ(fixedInfo(versionResource(17, 0, 2, 8)), "17.0.2.8");
    EXPECT_EQ(fixedInfo(versionResource(8, 0, 3920, 8)), "8.0.392.8");
    EXPECT_EQ(fixedInfo(versionResource(0, 0, 0, 0)), "no product version");
    std::string bad = versionResource(17, 0, 2, 0);
    bad[40] = 0;  // signature
    EXPECT_EQ(fixedInfo(bad), "no version resource");
    bad = versionResource(17, 0, 2, 0);
    bad[8] = 'W';  // key
    EXPECT_EQ(fixedInfo(bad), "no version resource");
    const std::string good = versionResource(17, 0, 2, 0);
    for (size_t n = 0; n < good.size(); ++n) ASSERT_EQ(fixedInfo(good.substr(0, n)), "no version resource") << n;
}

TEST(VersionRange, ReasonsOfRejectedRuntimes) {
    EXPECT_EQ(rangeOf("17", "", "11.0.2"), "Java 11.0.2, this program needs 17 or newer");
    EXPECT_EQ(rangeOf("", "21", "25.0.1"), "Java 25.0.1, this program needs at most 21");
    EXPECT_EQ(rangeOf("", "21", "21.0.5"), "");
    EXPECT_EQ(rangeOf("17", "21", "17"), "");
    EXPECT_EQ(rangeOf("17", "21", ""), "Java version unknown, this program needs 17 or newer");
    EXPECT_EQ(rangeOf("", "21", ""), "Java version unknown, this program needs at most 21");
    EXPECT_EQ(rangeOf("", "", ""), "");
    EXPECT_EQ(rangeOf("seventeen", "", "11"), "");  // no bound the builder would write
    EXPECT_EQ(rangeOf("1.8", "", "1.7.0_80"), "Java 7.0.80, this program needs 1.8 or newer");
}

TEST(OptionsFile, LinesCommentsExpansionAndErrors) {
    const std::string home = getenv("HOME");  // the start-up environment is what the launcher reads
    EXPECT_EQ(optionsFile("\xEF\xBB\xBF-Xmx512m\r\n# -Xmx1m\n\n \t--add-opens=a=b \t\r\n"
                          "-Dd=%EXEDIR%/lib:%exedir%:%HOME%\n-De=%NO_SUCH%:100%\n-Dlast"),
              (std::vector<std::string>{"-Xmx512m", "--add-opens=a=b", "-Dd=/opt/app/lib:/opt/app:" + home,
                                        "-De=%NO_SUCH%:100%", "-Dlast"}));
    // A '%' in the folder's name is text, not a reference.
    EXPECT_EQ(optionsFile("-Dd=%EXEDIR%/lib\n-De=%EXEDIR%:%HOME%", "/p%HOME%q"),
              (std::vector<std::string>{"-Dd=/p%HOME%q/lib", "-De=/p%HOME%q:" + home}));
    EXPECT_EQ(optionsFile(""), std::vector<std::string>{});
    EXPECT_EQ(optionsFile("-Da\r\n\r\n-Db\r\n"), (std::vector<std::string>{"-Da", "-Db"}));
    EXPECT_EQ(optionsFile("-Da\r\n\r\nx\r\n"), std::vector<std::string>{"line 3: not a VM option (each line holds one "
                                                                        "option that begins with \"-\")"});
    EXPECT_EQ(optionsFile("-Xmx1m\nXmx2m\n"), std::vector<std::string>{"line 2: not a VM option (each line holds one "
                                                                       "option that begins with \"-\")"});
    EXPECT_EQ(optionsFile("#\n-Da=\xC3\n"), std::vector<std::string>{"line 2: not UTF-8 text"});
    EXPECT_EQ(optionsFile("-Da=\xED\xA0\x80\n"), std::vector<std::string>{"line 1: not UTF-8 text"});
    EXPECT_EQ(optionsFile(std::string("-Da=\0b", 6)),
              std::vector<std::string>{"line 1: a character the VM cannot receive (not in the system's code page)"});
    EXPECT_EQ(optionsFile("-x\n\xEF\xBB\xBF-y"), std::vector<std::string>{"line 2: not a VM option (each line holds "
                                                                          "one option that begins with \"-\")"});
}

TEST(JdkJavaOptions, SplitAsJavaDoes) {
    EXPECT_EQ(split(" -Dx=\"a b\"\t-Xmx64m\n'-Dq=\"r' -Da=x\"y z\"w "),
              (std::vector<std::string>{"-Dx=a b", "-Xmx64m", "-Dq=\"r", "-Da=xy zw"}));
    EXPECT_EQ(split("--add-opens java.base/java.lang=ALL-UNNAMED -p /m --add-modules"),
              (std::vector<std::string>{"--add-opens=java.base/java.lang=ALL-UNNAMED", "--module-path=/m",
                                        "--add-modules"}));
    EXPECT_EQ(split("-Dx=\"a b"), std::vector<std::string>{"not taken"});
    EXPECT_EQ(split(""), std::vector<std::string>{});
    // The java command's own options are left out, -cp with its value.
    EXPECT_EQ(split("-server -cp a:b -Da=1 -showversion -splash:s.png --class-path c -Db=2"),
              (std::vector<std::string>{"-Da=1", "-Db=2"}));
    // What names the program is refused.
    for (const char* refused : {"-Da=1 --module=m/x", "-Da=1 -m m/x", "-Da=1 app.Main"})
        EXPECT_EQ(split(refused), std::vector<std::string>{"not taken"}) << refused;
    // An argument file's comments begin where a word would.
    List<Text> words;
    ASSERT_TRUE(splitOptionWords(text("# all\n-Da=x#y  # rest\r\n'-Db=#'\n"), true, words));
    EXPECT_EQ(strs(words), (std::vector<std::string>{"-Da=x#y", "-Db=#"}));
}

TEST(VmOptions, SourcesInOrderTheJitRuleAndTheDump) {
    LaunchParameters p(PropertyStyle::Option);
    p.jitDisabled = true;
    p.properties = {"-Dp=1"};
    p.jvmOptions = {"-Xmx1g", "-server", "--add-opens=x"};  // java's own -server never reaches the VM
    p.exeFolder = "/opt/app/";
    p.exeName = "app";
    OptionSources sources;
    sources.jdkJavaOptions = {"-Dj=1"};
    sources.optionsFile = {"-Xmx2g"};
    VmOptions options = vmOptions(p, ".:", version("17.0.2"), sources);
    appendOptions(options, {"-XX:SharedArchiveFile=a.jsa"}, OptionSource::StartupCache);
    std::vector<std::string> got;
    for (size_t i = 0; i < options.texts.size(); ++i)
        got.push_back(str(options.texts[i]) + " " + std::to_string(int(options.sourceOf(i))));
    EXPECT_EQ(got, (std::vector<std::string>{
                       "-Djava.class.path=.: 0", "-Djava.compiler=NONE 0", "-Xms1024k 0", "-Xmx16384k 0", "-Dp=1 0",
                       "-Dcaskit.executable=/opt/app/app 0", "-Dcaskit.executable.dir=/opt/app 0", "-Xmx1g 1",
                       "--add-opens=x 1", "-Dj=1 2", "-Xmx2g 3", "-XX:SharedArchiveFile=a.jsa 4"}));
    const List<Text> dump = jdk12DumpLines(options);
    EXPECT_EQ(dump[6], "      Option[4] = -Dp=1");
    EXPECT_EQ(dump[9], "      Option[7] = -Xmx1g (project)");
    EXPECT_EQ(dump[11], "      Option[9] = -Dj=1 (JDK_JAVA_OPTIONS)");
    EXPECT_EQ(dump[12], "      Option[10] = -Xmx2g (options file)");
    EXPECT_EQ(dump[13], "      Option[11] = -XX:SharedArchiveFile=a.jsa (start-up cache)");
    // The compiler property only for runtimes before 21, and for unknown ones.
    EXPECT_EQ(strs(jdk12Options(p, "", version("20")))[1], "-Djava.compiler=NONE");
    EXPECT_EQ(strs(jdk12Options(p, "", JavaVersion()))[1], "-Djava.compiler=NONE");
    EXPECT_EQ(strs(jdk12Options(p, "", version("21")))[1], "-Xms1024k");
    EXPECT_EQ(executableDir("/") + " " + executableDir("/opt/app/"), "/ /opt/app");
}

TEST(DownloadOffer, AsksWhereMessagesCanAndOpensOnYes) {
    Shown shown;
    const platform::MessageHook previous = platform::setMessageHook({recordMessage, &shown});
    gOpened.clear();
    showNotFoundMessage("Can't locate jvm.dll", "Error", "https://example.org/java", true, recordOpen);
    EXPECT_EQ(shown.text, "Can't locate jvm.dll\n\nA suitable Java can be downloaded from:\nhttps://example.org/java"
                          "\n\nOpen this address now?");
    EXPECT_EQ(shown.style, platform::kMbYesNo);
    EXPECT_TRUE(gOpened.empty());
    shown.answer = platform::kIdYes;
    showNotFoundMessage("x", "Error", "https://example.org/java", true, recordOpen);
    EXPECT_EQ(gOpened, std::vector<std::string>{"https://example.org/java"});
    showNotFoundMessage("x", "Error", "", true, recordOpen);
    EXPECT_EQ(shown.text + " " + std::to_string(shown.style) + " " + std::to_string(gOpened.size()), "x 0 1");
    showNotFoundMessage("x", "Error", "https://example.org/java", false, nullptr);
    EXPECT_EQ(shown.text, "x\n\nA suitable Java can be downloaded from:\nhttps://example.org/java");
    EXPECT_EQ(shown.style, platform::kMbOk);
    platform::setMessageHook(previous);
}
