// What the compile, caskit new/set and the builder's pages refuse in the
// Java version bounds (a bound that is no Java version, a lowest version
// above what the highest covers) and in the desktop settings (a handler
// that is not CLASS.METHOD, a number out of range).
#include <gtest/gtest.h>

#include "builder/engine/SettingChecks.h"

namespace {

std::string problem(const std::string& lowest, const std::string& highest) {
    Project project;
    project.setExtended(&ExtendedSettings::javaMinVersion, lowest);
    project.setExtended(&ExtendedSettings::javaMaxVersion, highest);
    return extendedSettingProblem(project).value_or("");
}

}  // namespace

TEST(SettingChecks, JavaVersionBounds) {
    for (const char* good : {"1.8", "1.8.0_392", "11", "17.0.2", "17.0.15+6", "21", "25-ea"})
        EXPECT_EQ(problem(good, "") + problem("", good), "") << good;
    EXPECT_EQ(problem("17", "21.0.5") + problem("21", "21") + problem("21.0.5", "21"), "");
    EXPECT_EQ(problem("seventeen", ""),
              "The java-min setting \"seventeen\" is not a Java version; write it as 1.8, 11, 17.0.2 or 21.");
    EXPECT_EQ(problem("", "17."), "The java-max setting \"17.\" is not a Java version; write it as 1.8, 11, 17.0.2 or 21.");
    EXPECT_EQ(problem("", "1000000"), "The java-max setting \"1000000\" is not a Java version (a number is too "
                                      "large); write it as 1.8, 11, 17.0.2 or 21.");
    EXPECT_EQ(problem("22", "21.0.5"),
              "The java-min setting 22 is above the java-max setting 21.0.5: no Java version is in between.");
    EXPECT_EQ(problem("21.0.6", "21.0.5").empty(), false);
    EXPECT_EQ(problem("1.8", "1.7").empty(), false);
}

TEST(SettingChecks, DesktopSettings) {
    Project p;
    auto refused = [&p](const char* handler) {
        p.setExtended(&ExtendedSettings::instanceHandler, std::string(handler));
        return extendedSettingProblem(p).has_value();
    };
    for (const char* good : {"", "App.run", "org.example.App.handOver", "a.b$c._d", "\xc3\x9c.b"})
        EXPECT_FALSE(refused(good)) << good;
    for (const char* bad : {"nodot", ".run", "App.", "a..b", "1a.b", "App.run()", "App. run"})
        EXPECT_TRUE(refused(bad)) << bad;
    p.setExtended(&ExtendedSettings::restartExitCode, 256u);
    EXPECT_EQ(extendedSettingProblem(p).value_or(""),
              "The restart-exit-code setting \"256\" is not a number from 1 to 255 (or off).");
    std::uint32_t value = 0;
    EXPECT_TRUE(!settingNumberProblem(&ExtendedSettings::splashTimeout, "3600", value) && value == 3600);
    for (const char* bad : {"3601", "12a", "99999999999"})
        EXPECT_TRUE(settingNumberProblem(&ExtendedSettings::splashTimeout, bad, value)) << bad;
}
