// Size numbers (atol rule, 32-bit) and the class-path texts of both VM starts.
#include <gtest/gtest.h>

#include <climits>

#include "vmbind/ClassPathText.h"
#include "vmbind/SizeNumber.h"

TEST(SizeNumber, ReadsLikeAtol) {
    EXPECT_EQ(parseSizeNumber("1024"), 1024);
    EXPECT_EQ(parseSizeNumber("  \t-5x"), -5);
    EXPECT_EQ(parseSizeNumber("+7"), 7);
    EXPECT_EQ(parseSizeNumber("007"), 7);
    EXPECT_EQ(parseSizeNumber("abc"), 0);
    EXPECT_EQ(parseSizeNumber(""), 0);
    EXPECT_EQ(parseSizeNumber("-"), 0);
    EXPECT_EQ(parseSizeNumber("12 34"), 12);
}

TEST(SizeNumber, SaturatesBeyondThirtyTwoBits) {
    EXPECT_EQ(parseSizeNumber("2147483647"), INT32_MAX);
    EXPECT_EQ(parseSizeNumber("99999999999999999999999"), INT32_MAX);
    EXPECT_EQ(parseSizeNumber("-2147483648"), INT32_MIN);
    EXPECT_EQ(parseSizeNumber("-99999999999999999999999"), INT32_MIN);
}

TEST(SizeNumber, KilobytesToBytesIn32BitArithmetic) {
    EXPECT_EQ(kilobytesToBytes(128), 131072);
    EXPECT_EQ(kilobytesToBytes(400), 409600);
    EXPECT_EQ(kilobytesToBytes(1024), 1048576);
    EXPECT_EQ(kilobytesToBytes(16384), 16777216);
    EXPECT_EQ(kilobytesToBytes(0), 0);
    EXPECT_EQ(kilobytesToBytes(-1), -1024);
    EXPECT_EQ(kilobytesToBytes(2097151), 2147482624);
    EXPECT_EQ(kilobytesToBytes(2097152), INT32_MIN);  // wraps like the runtime's 32-bit integers
    EXPECT_EQ(kilobytesToBytes(4194304), 0);
    // The builders refuse a JDK 1.1 size above this limit: the last one that does not wrap.
    EXPECT_GT(kilobytesToBytes(static_cast<int32_t>(kLargestJdk11Kilobytes)), 0);
    EXPECT_LT(kilobytesToBytes(static_cast<int32_t>(kLargestJdk11Kilobytes + 1)), 0);
}

TEST(ClassPathText, JoinPutsASeparatorAfterEveryEntry) {
    EXPECT_EQ(joinClassPath({}, ';'), "");
    EXPECT_EQ(joinClassPath({"a"}, ';'), "a;");
    EXPECT_EQ(joinClassPath({".\\lib\\app.jar", ".", "C:\\x.jar"}, ';'), ".\\lib\\app.jar;.;C:\\x.jar;");
    EXPECT_EQ(joinClassPath({"a", "", "a"}, ':'), "a::a:");
}

TEST(ClassPathText, Jdk12AddsTheClassLibraryOnlyForTheRegisteredRuntime) {
    EXPECT_EQ(jdk12ClassPathText("#internal#", "C:\\jre\\lib\\rt.jar", "", ';'), ".;C:\\jre\\lib\\rt.jar;");
    EXPECT_EQ(jdk12ClassPathText("#internal#", "C:\\jre\\lib\\rt.jar", "a;b;", ';'), ".;C:\\jre\\lib\\rt.jar;a;b;");
    EXPECT_EQ(jdk12ClassPathText("#internal#", "", "a;", ';'), ".;a;");
    EXPECT_EQ(jdk12ClassPathText("C:\\vm\\jvm.dll", "C:\\jre\\lib\\rt.jar", "a;", ';'), ".;a;");
    EXPECT_EQ(jdk12ClassPathText("", "C:\\jre\\lib\\rt.jar", "", ';'), ".;");
    EXPECT_EQ(jdk12ClassPathText("#INTERNAL#", "rt.jar", "", ';'), ".;");
    EXPECT_EQ(jdk12ClassPathText("/usr/lib/jvm/lib/server/libjvm.so", "", "app.jar:", ':'), ".:app.jar:");
}

TEST(ClassPathText, Jdk11EndsWithTheVmDefault) {
    EXPECT_EQ(jdk11ClassPathText("", "C:\\jdk\\lib\\classes.zip", ';'), ".;C:\\jdk\\lib\\classes.zip");
    EXPECT_EQ(jdk11ClassPathText("a;b;", "D", ';'), ".;a;b;D");
    EXPECT_EQ(jdk11ClassPathText("a;", nullptr, ';'), ".;a;");
    EXPECT_EQ(jdk11ClassPathText("", nullptr, ';'), ".;");
}
