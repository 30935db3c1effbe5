#include "util/fields.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace quorlin {
namespace {

struct FieldCase {
    std::string line;
    long n;
    std::string delim;
    std::string expected;
};

TEST(GetField, FieldsCountsAndTrims) {
    const FieldCase cases[] = {
        {"a,b,c", 2, ",", "b"},    {"a,b,c", 3, ",", "c"},     {"a,b,c", 4, ",", ""},
        {"a,b,c", 0, ",", "3"},    {"a,,b", 2, ",", ""},       {"a,,b", 0, ",", "3"},
        {"a,b,", 0, ",", "2"},     {"a,b,", 3, ",", ""},       {"  x   y  ", 2, "", "y"},
        {"  x   y  ", 0, "", "2"}, {"  x   y  ", 1, " ", "x"}, {"", 0, ",", "0"},
        {"", 1, ",", ""},          {"abc", 0, ",", "1"},       {"abc", 1, ",", "abc"},
        {"abc", 2, ",", ""},       {"a b c", 8001, " ", ""},   {"a b c", -5, " ", "3"},
        {"a<>b<>c", 2, "<>", "b"}, {"a<>b<>c", 0, "<>", "3"},  {"tab\tin field", 1, " ", "tab\tin"},
        {",,a,,", -1, ",", "a"},   {"x", -1, ",", "x"},        {",", -1, ",", ""},
    };
    for (const auto& c : cases) {
        std::string line = c.line, delim = c.delim;
        EXPECT_EQ(getfield(line, c.n, delim), c.expected)
            << "line '" << c.line << "' n " << c.n << " delim '" << c.delim << "'";
    }
}

TEST(GetField, ChangesCallerArgumentsAsDocumented) {
    std::string line = "  x   y  ", delim;
    getfield(line, 2, delim);
    EXPECT_EQ(delim, " ");
    EXPECT_EQ(line, "  x   y  ");

    std::string trimmed = ",,a,b,,", comma = ",";
    EXPECT_EQ(getfield(trimmed, -1, comma), "a,b");
    EXPECT_EQ(trimmed, "a,b,,");
}

TEST(Fields, MatchesGetFieldAndReadsOutsideAsEmpty) {
    const std::string lines[] = {"", "   ", "pad sq 60 60 32 al gd 0 1000 2000 0 1 0",
                                 "  text \"A B\"   5  ", "one"};
    for (const auto& line : lines) {
        Fields f(line);
        EXPECT_EQ(std::to_string(f.count()), getfield(line, 0, " ")) << line;
        for (long n = 1; n <= f.count() + 1; ++n)
            EXPECT_EQ(std::string(f[n]), getfield(line, n, " ")) << line << " field " << n;
        EXPECT_EQ(f[0], "");
        EXPECT_EQ(f[-3], "");
    }
    Fields pad("pad sq 60 60 32 al gd 0 1000 2000 0 1 0");
    EXPECT_EQ(pad.num(9), 1000);
    double v = 0;
    EXPECT_TRUE(pad.strictNum(10, v));
    EXPECT_EQ(v, 2000);
    EXPECT_FALSE(pad.strictNum(2, v));
    EXPECT_FALSE(pad.strictNum(40, v));
}

// The splitter reads sixteen characters at a time; fields that cross, start or end at those
// borders, and runs of blanks of every length, must split as one character at a time does.
TEST(Fields, SplitsLikeGetFieldAcrossEveryBorder) {
    std::mt19937 random(12);
    for (int round = 0; round < 3000; ++round) {
        std::string line;
        const size_t length = random() % 70;
        while (line.size() < length)
            line += random() % 3 == 0 ? ' ' : static_cast<char>('a' + random() % 26);
        const Fields f(line);
        ASSERT_EQ(std::to_string(f.count()), getfield(line, 0, " ")) << "'" << line << "'";
        for (long k = 1; k <= f.count(); ++k)
            ASSERT_EQ(std::string(f[k]), getfield(line, k, " ")) << "'" << line << "' field " << k;
    }
}

}  // namespace
}  // namespace quorlin
