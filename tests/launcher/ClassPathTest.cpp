// Merging the system class path, in both list forms: ';' as on Windows and
// ':' as on Linux.
#include <gtest/gtest.h>

#include "launcher/Environment.h"
#include "platform/PathSeparator.h"
#include "tests/support/TextSupport.h"

namespace {

using Strings = std::vector<std::string>;

Strings merged(Strings entries, ClassPathMode mode, std::optional<std::string> system, char separator) {
    List<Text> classPath = texts(entries);
    Text systemText = system ? text(*system) : Text();
    mergeClassPath(classPath, mode, system ? &systemText : nullptr, separator);
    return strs(classPath);
}

TEST(NextPathEntry, SkipsLeadingSeparatorsAndLeavesTheOneAfter) {
    Text text = ";;a;;b";
    EXPECT_EQ(nextPathEntry(text, ';'), "a");
    EXPECT_EQ(text, ";;b");
    EXPECT_EQ(nextPathEntry(text, ';'), "b");
    EXPECT_EQ(text, "");
    EXPECT_EQ(nextPathEntry(text, ';'), "");
    Text only = ";;;";
    EXPECT_EQ(nextPathEntry(only, ';'), "");
    EXPECT_EQ(only, "");
}

TEST(NextPathEntry, ColonForm) {
    Text text = "::/a:b";
    EXPECT_EQ(nextPathEntry(text, ':'), "/a");
    EXPECT_EQ(nextPathEntry(text, ':'), "b");
    EXPECT_EQ(nextPathEntry(text, ':'), "");
}

TEST(NextPathEntry, DefaultSeparatorIsTheSystemOne) {
    Text text = Text("x") + platform::kListSeparator + "y";
    EXPECT_EQ(nextPathEntry(text), "x");
    EXPECT_EQ(nextPathEntry(text), "y");
}

TEST(ClassPathMerge, UnsetClassPathChangesNothing) {
    EXPECT_EQ(merged({"a", "b"}, ClassPathMode::Append, std::nullopt, ';'), (Strings{"a", "b"}));
    EXPECT_EQ(merged({}, ClassPathMode::Prepend, std::nullopt, ':'), Strings{});
}

TEST(ClassPathMerge, WindowsFormInEveryMode) {
    const std::string system = "C:\\lib\\x.jar;.";
    EXPECT_EQ(merged({".\\app.jar"}, ClassPathMode::Append, system, ';'),
              (Strings{".\\app.jar", ".", "C:\\lib\\x.jar"}));
    EXPECT_EQ(merged({".\\app.jar"}, ClassPathMode::Prepend, system, ';'),
              (Strings{"C:\\lib\\x.jar", ".\\app.jar", "."}));
    EXPECT_EQ(merged({".\\app.jar"}, ClassPathMode::Ignore, system, ';'), (Strings{".\\app.jar", "."}));
}

TEST(ClassPathMerge, LinuxFormInEveryMode) {
    const std::string system = "/lib/x.jar:.";
    EXPECT_EQ(merged({"./app.jar"}, ClassPathMode::Append, system, ':'), (Strings{"./app.jar", ".", "/lib/x.jar"}));
    EXPECT_EQ(merged({"./app.jar"}, ClassPathMode::Prepend, system, ':'), (Strings{"/lib/x.jar", "./app.jar", "."}));
    EXPECT_EQ(merged({"./app.jar"}, ClassPathMode::Ignore, system, ':'), (Strings{"./app.jar", "."}));
}

TEST(ClassPathMerge, EmptyClassPathAddsOnlyTheDot) {
    for (ClassPathMode mode : {ClassPathMode::Append, ClassPathMode::Prepend, ClassPathMode::Ignore}) {
        EXPECT_EQ(merged({"a"}, mode, std::string(), ';'), (Strings{"a", "."}));
        EXPECT_EQ(merged({"a"}, mode, std::string(), ':'), (Strings{"a", "."}));
    }
}

TEST(ClassPathMerge, RepeatedAndEmptyEntriesAreAddedOnce) {
    EXPECT_EQ(merged({}, ClassPathMode::Append, ";;a;;a;b", ';'), (Strings{".", "a", "b"}));
    EXPECT_EQ(merged({}, ClassPathMode::Append, "::a::a:b", ':'), (Strings{".", "a", "b"}));
    EXPECT_EQ(merged({}, ClassPathMode::Prepend, ";;a;;a;b", ';'), (Strings{"a", "b", "."}));
}

TEST(ClassPathMerge, DotIsAppendedEvenWhenPresent) {
    EXPECT_EQ(merged({".", "a"}, ClassPathMode::Append, "b", ';'), (Strings{".", "a", ".", "b"}));
}

TEST(ClassPathMerge, BlockDuplicatesStayAndCaseMatters) {
    EXPECT_EQ(merged({"C:\\lib", "C:\\lib"}, ClassPathMode::Append, "C:\\LIB;C:\\lib", ';'),
              (Strings{"C:\\lib", "C:\\lib", ".", "C:\\LIB"}));
}

TEST(ClassPathMerge, NoNormalisationOfTrailingSeparatorsOrSlashes) {
    EXPECT_EQ(merged({"lib/"}, ClassPathMode::Append, "lib:lib/", ':'), (Strings{"lib/", ".", "lib"}));
    EXPECT_EQ(merged({"C:/x"}, ClassPathMode::Append, "C:\\x", ';'), (Strings{"C:/x", ".", "C:\\x"}));
}

TEST(ClassPathMerge, PrependKeepsClassPathOrderAtTheFront) {
    EXPECT_EQ(merged({"a", "z"}, ClassPathMode::Prepend, "x;a;y;", ';'), (Strings{"x", "y", "a", "z", "."}));
}

TEST(ClassPathMerge, OtherSeparatorIsPartOfAnEntry) {
    // On Windows a drive colon is no separator, on Linux a ';' is none.
    EXPECT_EQ(merged({}, ClassPathMode::Append, "C:\\a;D:\\b", ';'), (Strings{".", "C:\\a", "D:\\b"}));
    EXPECT_EQ(merged({}, ClassPathMode::Append, "a;b:c", ':'), (Strings{".", "a;b", "c"}));
}

}  // namespace
