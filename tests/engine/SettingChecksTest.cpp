// What the compile, caskit new/set and the builder's pages refuse in the
// Java version bounds: a bound that is no Java version, and a lowest
// version above what the highest covers.
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
