// The JDK 1.2 option list and the JDK 1.1 invocation record, with their dumps.
#include <gtest/gtest.h>

#include <cstring>

#include "vmbind/Jdk11Settings.h"
#include "vmbind/Jdk12Options.h"
#include "vmbind/RestartLimit.h"
#include "vmbind/RuntimeProfile.h"
#include "tests/support/TextSupport.h"

using Options = std::vector<std::string>;

TEST(Jdk12Options, DefaultsGiveThreeOptions) {
    LaunchParameters p(PropertyStyle::Option);
    EXPECT_EQ(jdk12Options(p, ".;C:\\jre\\lib\\rt.jar;"),
              (Options{"-Djava.class.path=.;C:\\jre\\lib\\rt.jar;", "-Xms1024k", "-Xmx16384k"}));
}

TEST(Jdk12Options, FixedOptionsInOrderThenProperties) {
    LaunchParameters p(PropertyStyle::Option);
    p.jitDisabled = true;
    p.classGcEnabled = false;
    p.minHeap = "2048";
    p.maxHeap = " 65536kb";
    p.properties = {"-Da=1", "-Db=%X%"};
    p.verifyMode = VerifyMode::All;  // reaches no option
    p.asyncGcDisabled = true;
    p.nativeStackSize = "1";
    EXPECT_EQ(jdk12Options(p, ".;"), (Options{"-Djava.class.path=.;", "-Djava.compiler=NONE", "-Xms2048k",
                                              "-Xmx65536k", "-Xnoclassgc", "-Da=1", "-Db=%X%"}));
}

TEST(Jdk12Options, SizesThatAreNotNumbers) {
    LaunchParameters p(PropertyStyle::Option);
    p.minHeap = "abc";
    p.maxHeap = "-12";
    Options options = strs(jdk12Options(p, ""));
    EXPECT_EQ(options[1], "-Xms0k");
    EXPECT_EQ(options[2], "-Xmx-12k");
}

TEST(Jdk12Options, EveryPropertyReachesTheVmBeyondTwoHundredOptions) {
    LaunchParameters p(PropertyStyle::Option);
    p.jitDisabled = true;
    p.classGcEnabled = false;
    for (int i = 0; i < 500; ++i) p.properties.push_back(text("-Dp" + std::to_string(i) + "=" + std::to_string(i)));
    Options options = strs(jdk12Options(p, ".;"));
    ASSERT_EQ(options.size(), 505u);
    EXPECT_EQ(options[5], "-Dp0=0");
    EXPECT_EQ(options[504], "-Dp499=499");
}

TEST(Jdk12Options, DumpLines) {
    VmOptions two;
    two.texts = {"-Djava.class.path=.;", "-Xms1024k"};
    two.ends[0] = 2;
    EXPECT_EQ(jdk12DumpLines(two),
              (Options{"\n#Dump of JVM Parameters", "   Options:2", "      Option[0] = -Djava.class.path=.;",
                       "      Option[1] = -Xms1024k", "#END Dump of JVM Parameters"}));
    EXPECT_EQ(jdk12DumpLines(VmOptions()),
              (Options{"\n#Dump of JVM Parameters", "   Options:0", "#END Dump of JVM Parameters"}));
}

namespace {

jint JNICALL fakeVfprintf(FILE*, const char*, va_list) { return 0; }
void JNICALL fakeExit(jint) {}
void JNICALL fakeAbort(void) {}

// A record as a VM's defaults would leave it.
JDK1_1InitArgs vmDefaults() {
    JDK1_1InitArgs args;
    std::memset(&args, 0, sizeof args);
    args.version = 0x00010001;
    args.checkSource = 3;
    args.nativeStackSize = 1;
    args.javaStackSize = 2;
    args.minHeapSize = 3;
    args.maxHeapSize = 4;
    args.verifyMode = 1;
    static char defaultClassPath[] = "C:\\jdk\\lib\\classes.zip";
    args.classpath = defaultClassPath;
    args.vfprintf = fakeVfprintf;
    args.exit = fakeExit;
    args.abort = fakeAbort;
    args.enableClassGC = 9;
    args.enableVerboseGC = 1;
    args.disableAsyncGC = 9;
    args.verbose = 1;
    args.debugging = JNI_TRUE;
    args.debugPort = 5005;
    return args;
}

}  // namespace

TEST(Jdk11Settings, RecordLayoutOfTheInvocationInterface) {
    // version, a pointer, six 32-bit fields, a pointer, three function
    // pointers, four 32-bit fields, a jboolean and a 32-bit port.
    EXPECT_EQ(offsetof(JDK1_1InitArgs, properties), sizeof(void*));
    EXPECT_EQ(offsetof(JDK1_1InitArgs, checkSource), 2 * sizeof(void*));
    EXPECT_EQ(offsetof(JDK1_1InitArgs, classpath), 2 * sizeof(void*) + 6 * 4 + (sizeof(void*) == 8 ? 0 : 0));
    EXPECT_EQ(offsetof(JDK1_1InitArgs, enableClassGC), offsetof(JDK1_1InitArgs, classpath) + 4 * sizeof(void*));
    EXPECT_EQ(offsetof(JDK1_1InitArgs, debugging), offsetof(JDK1_1InitArgs, enableClassGC) + 16);
    EXPECT_EQ(offsetof(JDK1_1InitArgs, debugPort), offsetof(JDK1_1InitArgs, debugging) + 4);
}

TEST(Jdk11Settings, DefaultsInBytes) {
    LaunchParameters p;
    PropertyArray properties(p.properties);
    JDK1_1InitArgs args = vmDefaults();
    applySettings(args, p, properties.data());
    EXPECT_EQ(args.version, 0x00010001);
    EXPECT_EQ(args.nativeStackSize, 131072);
    EXPECT_EQ(args.javaStackSize, 409600);
    EXPECT_EQ(args.minHeapSize, 1048576);
    EXPECT_EQ(args.maxHeapSize, 16777216);
    EXPECT_EQ(args.verifyMode, 0);
    EXPECT_EQ(args.enableClassGC, 1);
    EXPECT_EQ(args.disableAsyncGC, 0);
    ASSERT_NE(args.properties, nullptr);
    EXPECT_EQ(args.properties[0], nullptr);
    // Untouched: what the VM's defaults put there, the class path included
    // (the VM start replaces it separately).
    EXPECT_EQ(args.checkSource, 3);
    EXPECT_STREQ(args.classpath, "C:\\jdk\\lib\\classes.zip");
    EXPECT_EQ(args.vfprintf, fakeVfprintf);
    EXPECT_EQ(args.exit, fakeExit);
    EXPECT_EQ(args.abort, fakeAbort);
    EXPECT_EQ(args.enableVerboseGC, 1);
    EXPECT_EQ(args.verbose, 1);
    EXPECT_EQ(args.debugging, JNI_TRUE);
    EXPECT_EQ(args.debugPort, 5005);
}

TEST(Jdk11Settings, EverySwitch) {
    LaunchParameters p;
    p.nativeStackSize = "0";
    p.javaStackSize = "0";
    p.minHeap = "x";
    p.maxHeap = "65536";
    p.classGcEnabled = false;
    p.asyncGcDisabled = true;
    p.jitDisabled = true;  // no effect on the record
    p.properties = {"a=1", "b=two words"};
    PropertyArray properties(p.properties);
    for (VerifyMode mode : {VerifyMode::None, VerifyMode::Remote, VerifyMode::All}) {
        p.verifyMode = mode;
        JDK1_1InitArgs args = vmDefaults();
        applySettings(args, p, properties.data());
        EXPECT_EQ(args.verifyMode, static_cast<jint>(mode));
        EXPECT_EQ(args.nativeStackSize, 0);
        EXPECT_EQ(args.javaStackSize, 0);
        EXPECT_EQ(args.minHeapSize, 0);
        EXPECT_EQ(args.maxHeapSize, 67108864);
        EXPECT_EQ(args.enableClassGC, 0);
        EXPECT_EQ(args.disableAsyncGC, 1);
        EXPECT_STREQ(args.properties[0], "a=1");
        EXPECT_STREQ(args.properties[1], "b=two words");
        EXPECT_EQ(args.properties[2], nullptr);
    }
}

TEST(Jdk11Settings, PropertyArrayHoldsPrivateCopies) {
    List<Text> source = {"x=1", ""};
    PropertyArray properties(source);
    source[0] = "changed";
    EXPECT_EQ(properties.size(), 2u);
    EXPECT_STREQ(properties.data()[0], "x=1");
    EXPECT_STREQ(properties.data()[1], "");
    EXPECT_EQ(properties.data()[2], nullptr);
}

TEST(Jdk11Settings, DumpLines) {
    LaunchParameters p;
    p.properties = {"a=1", "b=2"};
    PropertyArray properties(p.properties);
    JDK1_1InitArgs args = vmDefaults();
    applySettings(args, p, properties.data());
    char classPath[] = ".;app.jar;C:\\jdk\\lib\\classes.zip";
    args.classpath = classPath;
    EXPECT_EQ(strs(jdk11DumpLines(args)),
              (Options{"\n#Dump of JVM Parameters", "   JVM Properties", "      Property[0] = a=1",
                       "      Property[1] = b=2", "   Native StackSize = 131072", "   Java StackSize = 409600",
                       "   Min Heap Size = 1048576", "   Max Heap Size = 16777216", "   Verify Mode = 0",
                       "   Enable Class GC = 1", "   Disable Async GC = 0",
                       "   Classpath = .;app.jar;C:\\jdk\\lib\\classes.zip", "#END Dump of JVM Parameters"}));
}

TEST(Jdk11Settings, DumpWithoutProperties) {
    LaunchParameters p;
    PropertyArray properties(p.properties);
    JDK1_1InitArgs args = vmDefaults();
    applySettings(args, p, properties.data());
    Options lines = strs(jdk11DumpLines(args));
    ASSERT_GE(lines.size(), 3u);
    EXPECT_EQ(lines[1], "   JVM Properties");
    EXPECT_EQ(lines[2], "   Native StackSize = 131072");
}

TEST(EntryPointMessages, NameTheirLibrary) {
    EXPECT_STREQ(jdk11Profile().entryPointText, "Can't locate JVM entry points in javai.dll.Incompatible or corrupt DLL.");
    EXPECT_STREQ(jdk12Profile().entryPointText, "Can't locate JVM entry points in jvm.dll.Incompatible or corrupt DLL.");
}

TEST(RestartLimit, FiveRestartsWithinAnySixtySeconds) {
    RestartHistory history;
    const unsigned long start = 0xFFFFF000ul;  // the clock wraps around on the way
    for (unsigned long i = 0; i < 5; ++i) EXPECT_TRUE(takeRestart(history, start + i * 1000));
    EXPECT_FALSE(takeRestart(history, start + 59999));
    EXPECT_TRUE(takeRestart(history, start + 60000));  // the first has left the window
    EXPECT_FALSE(takeRestart(history, start + 60500));
    EXPECT_TRUE(takeRestart(history, start + 61000));
}
