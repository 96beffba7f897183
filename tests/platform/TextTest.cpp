// The stubs' own text and list types: the edges the launcher relies on,
// and what running out of memory does.
#include <gtest/gtest.h>

#include <climits>

#include "platform/List.h"
#include "platform/Text.h"
#include "tests/support/TextSupport.h"

TEST(Text, HoldsAnyByteAndStaysTerminated) {
    Text t("a\0b", 3);
    EXPECT_EQ(t.size(), 3u);
    EXPECT_EQ(t.c_str()[3], '\0');
    EXPECT_EQ(t.find('\0'), 1u);
    EXPECT_STREQ(Text().c_str(), "");
    t.resize(1);
    EXPECT_EQ(t, "a");
}

TEST(Text, AppendingFromItselfSurvivesGrowth) {
    Text t = "0123456789abcdef";  // exactly the first capacity
    t.append(t.data(), t.size());
    t += t;
    EXPECT_EQ(str(t), "0123456789abcdef0123456789abcdef0123456789abcdef0123456789abcdef");
}

TEST(Text, PartsAreClampedToTheText) {
    Text t = "abcdef";
    EXPECT_EQ(t.substr(4, 100), "ef");
    EXPECT_EQ(t.substr(6), "");
    EXPECT_EQ(t.substr(99), "");
    t.erase(4, 100);
    EXPECT_EQ(t, "abcd");
    t.erase(10);
    EXPECT_EQ(t, "abcd");
    t.replace(1, 2, "XYZ");
    EXPECT_EQ(t, "aXYZd");
    t.replace(5, 9, "!");
    EXPECT_EQ(t, "aXYZd!");
    EXPECT_EQ(t.find("Z"), 3u);
    EXPECT_EQ(t.find("d!x"), Text::npos);
    EXPECT_EQ(t.rfind('X'), 1u);
    EXPECT_EQ(t.findFirstOf("!d"), 4u);
    EXPECT_EQ(Text("  ").findFirstNotOf(' '), Text::npos);
}

TEST(Text, DecimalNumbers) {
    EXPECT_EQ(decimalText(0), "0");
    EXPECT_EQ(decimalText(-42), "-42");
    EXPECT_EQ(decimalText(LLONG_MIN), "-9223372036854775808");
    EXPECT_EQ(decimalText(ULLONG_MAX), "18446744073709551615");
}

TEST(List, InsertKeepsOrderAndCopiesAreDeep) {
    List<Text> list = {"b", "d"};
    list.insert(0, "a");
    list.insert(2, "c");
    list.insert(99, "e");
    EXPECT_EQ(list, (std::vector<std::string>{"a", "b", "c", "d", "e"}));
    List<Text> copy = list;
    copy[0] += "!";
    EXPECT_EQ(list[0], "a");
    for (int i = 0; i < 100; ++i) list.push_back(list[0]);  // an element of the list itself
    EXPECT_EQ(list.size(), 105u);
    EXPECT_EQ(list.back(), "a");
    EXPECT_TRUE(list.contains("e"));
}

TEST(Memory, RunningOutEndsTheProcessWithAMessageAndCode1) {
    EXPECT_EXIT(
        {
            Text t;
            t.resize(static_cast<size_t>(-1) / 2);
        },
        ::testing::ExitedWithCode(1), "Out of memory");
    Text t;
    EXPECT_FALSE(t.tryResize(static_cast<size_t>(-1) / 2));
    EXPECT_TRUE(t.empty());
}
