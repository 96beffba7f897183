// Splitting argument text into tokens.
#include <gtest/gtest.h>

#include "launcher/LaunchParameters.h"
#include "tests/support/TextSupport.h"

namespace {

// Every token up to the end of the text, as the launcher collects them.
std::vector<std::string> tokens(const std::string& line) {
    Text text = line;
    std::vector<std::string> result;
    bool found = true;
    for (;;) {
        Text token = nextArgument(text, &found);
        if (!found) break;
        result.push_back(str(token));
    }
    EXPECT_TRUE(text.empty());
    return result;
}

using Tokens = std::vector<std::string>;

TEST(Tokenizer, TwoBlanksSeparateTwoTokens) { EXPECT_EQ(tokens("one  two"), (Tokens{"one", "two"})); }

TEST(Tokenizer, TabIsAnOrdinaryCharacter) { EXPECT_EQ(tokens("one\ttwo"), (Tokens{"one\ttwo"})); }

TEST(Tokenizer, QuotedPathKeepsItsBlank) {
    EXPECT_EQ(tokens("\"C:\\Program Files\\x.txt\" word"), (Tokens{"C:\\Program Files\\x.txt", "word"}));
}

TEST(Tokenizer, WordRunsIntoQuotedPart) { EXPECT_EQ(tokens("ab\"cd ef\" g"), (Tokens{"ab", "cd ef", "g"})); }

TEST(Tokenizer, EmptyQuotedTokenIsAnEmptyArgumentAndTheListGoesOn) {
    EXPECT_EQ(tokens("first \"\" second"), (Tokens{"first", "", "second"}));
    EXPECT_EQ(tokens("\"\""), (Tokens{""}));
    EXPECT_EQ(tokens("a\"\"b"), (Tokens{"a", "", "b"}));
}

TEST(Tokenizer, UnclosedQuoteRunsToTheEnd) {
    EXPECT_EQ(tokens("a \"b c "), (Tokens{"a", "b c "}));
    EXPECT_EQ(tokens("a \""), (Tokens{"a", ""}));
}

TEST(Tokenizer, EmptyAndBlankTextHaveNoTokens) {
    EXPECT_EQ(tokens(""), Tokens{});
    EXPECT_EQ(tokens("    "), Tokens{});
}

TEST(Tokenizer, LeadingAndTrailingBlanksAreSkipped) { EXPECT_EQ(tokens("  x  y  "), (Tokens{"x", "y"})); }

TEST(Tokenizer, CarriageReturnStaysInTheToken) { EXPECT_EQ(tokens("-v x\r"), (Tokens{"-v", "x\r"})); }

TEST(Tokenizer, RemovesExactlyWhatItConsumed) {
    Text text = "  ab\"cd\" e";
    bool found = false;
    EXPECT_EQ(nextArgument(text, &found), "ab");
    EXPECT_TRUE(found);
    EXPECT_EQ(text, "\"cd\" e");  // the quote stays for the next call
    EXPECT_EQ(nextArgument(text, &found), "cd");
    EXPECT_EQ(text, " e");
    EXPECT_EQ(nextArgument(text, &found), "e");
    EXPECT_EQ(text, "");
    EXPECT_EQ(nextArgument(text, &found), "");
    EXPECT_FALSE(found);
}

TEST(Tokenizer, SplitArgumentsTakesEveryTokenToTheEnd) {
    EXPECT_EQ(splitArguments("a \"\" \"b c\"d  \te"), (Tokens{"a", "", "b c", "d", "\te"}));
    EXPECT_EQ(splitArguments("   "), Tokens{});
    EXPECT_EQ(splitArguments(""), Tokens{});
}

TEST(Tokenizer, FoundMayBeOmitted) {
    Text text = " x";
    EXPECT_EQ(nextArgument(text), "x");
    EXPECT_EQ(nextArgument(text), "");
}

}  // namespace
