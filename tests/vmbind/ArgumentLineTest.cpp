// The Linux launcher's command line rebuilt from argv gives back the same
// arguments through the launcher's tokenizer.
#include <gtest/gtest.h>

#include "launcher/LaunchParameters.h"
#include "launcher/stub/ArgumentLine.h"

static std::vector<std::string> tokens(std::string line) {
    std::vector<std::string> out;
    bool found = true;
    for (;;) {
        std::string token = nextArgument(line, &found);
        if (!found) break;
        out.push_back(token);
    }
    return out;
}

TEST(ArgumentLine, QuotesBlanksAndEmptyArguments) {
    const char* argv[] = {"plain", "two words", "", "tab\there", "--x=1"};
    std::string line = joinArguments(5, argv);
    EXPECT_EQ(line, "plain \"two words\" \"\" tab\there --x=1");
    EXPECT_EQ(tokens(line), (std::vector<std::string>{"plain", "two words", "", "tab\there", "--x=1"}));
}

TEST(ArgumentLine, NoArguments) {
    EXPECT_EQ(joinArguments(0, nullptr), "");
    EXPECT_TRUE(tokens(joinArguments(0, nullptr)).empty());
}

TEST(ArgumentLine, LeadingAndTrailingBlanksSurvive) {
    const char* argv[] = {" a ", "%HOME%"};
    EXPECT_EQ(tokens(joinArguments(2, argv)), (std::vector<std::string>{" a ", "%HOME%"}));
}
