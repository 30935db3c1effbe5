#include "region/text.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct TextCase {
    const char* name;
    const char* line;
    const char* expected;
};

const TextCase kCases[] = {
    // h = 10000: the origin moves by +300 in x and -2000 in y; width from the X extent.
    {"code0", R"(text "AB" 2.3622 0 0 8 100 200 100 200 300 260 0 0)",
     R"(GRAPHIC TS TEXT  254300  506000 0 0  10000  253835 0 "AB")"},
    // Code 5: rotated 90 and mirrored, width from the Y extent.
    {"code5", R"(text "AB" 2.3622 5 0 8 100 200 100 200 300 260 0 0)",
     R"(GRAPHIC TS TEXT  256000  507700 900 1  10000  76035 0 "AB")"},
    // Blanks inside the text do not move the numeric fields, which count from the end.
    {"blanks", R"(text "A B C" 60 1 0 0 -100 -50 -100 -50 -40 100 0 0)",
     R"(GRAPHIC TOP TEXT -203200 -119380 900 0  254000  74524 0 "A B C")"},
    {"code2_empty_text", R"(text "" 60 2 0 13 10 20 0 0 0 0 0 0)",
     R"(GRAPHIC BS TEXT  17780  101600 1800 0  254000  0 0 "")"},
    {"code3", R"(text "ab" 60 3 0 9 10 20 0 0 0 10 0 0)",
     R"(GRAPHIC BS TEXT -25400  43180 2700 0  254000  8509 0 "ab")"},
    {"code4", R"(text "ab" 60 4 0 9 10 20 0 0 10 0 0 0)",
     R"(GRAPHIC BS TEXT  17780  0 0 1  254000  8509 0 "ab")"},
    {"code6", R"(text "ab" 60 6 0 9 10 20 0 0 10 0 0 0)",
     R"(GRAPHIC BS TEXT  33020  101600 1800 1  254000  8509 0 "ab")"},
    {"code7", R"(text "ab" 60 7 0 9 10 20 0 0 0 10 0 0)",
     R"(GRAPHIC BS TEXT -25400  58420 2700 1  254000  8509 0 "ab")"},
    // Other codes: no rotation text, width 0, no shift.
    {"code9", R"(text "Z" 60 9 0 1 10 20 0 0 50 50 0 0)",
     R"(GRAPHIC BOT TEXT  25400  50800 254000  0 0 "Z")"},
    {"code_past_16_bits", R"(text "Z" 60 65536 0 1 10 20 0 0 50 50 0 0)",
     R"(GRAPHIC BOT TEXT  25400  50800 254000  0 0 "Z")"},
    // h = 50 makes 0.03 h exactly 1.5: 1 + 1.5 rounds to the even 2; the width -1.65 to -2.
    {"halves_to_even", R"(text "Q" 0.011811 0 0 8 0.0005 0 0 0 0 0 0 0)",
     R"(GRAPHIC TS TEXT  2 -10 0 0  50 -2 0 "Q")"},
    // Positions before the first field read empty, never as the field count.
    {"short_record", R"(text "x" 8)", R"(GRAPHIC TOP TEXT  0  0 0 0  0  0 0 "x")"},
    // No ARES layer: nothing to write.
    {"layer23", R"(text "Z" 60 0 0 23 10 20 0 0 0 0 0 0)", ""},
    {"layer_negative", R"(text "Z" 60 0 0 -1 10 20 0 0 0 0 0 0)", ""},
    {"layer_past_16_bits", R"(text "Z" 60 0 0 65544 10 20 0 0 0 0 0 0)", ""},
    {"empty", "", ""},
};

class ConvtextTest : public ::testing::TestWithParam<TextCase> {};

TEST_P(ConvtextTest, Record) {
    EXPECT_EQ(quorlin::convtext(GetParam().line), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Texts, ConvtextTest, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
