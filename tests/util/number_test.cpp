// Number text against plain references: the C library's strtod and printf in the C locale.
#include "util/number.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <random>
#include <string>

#include "support/system.h"

namespace quorlin {
namespace {

bool sameBits(double a, double b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

// Numbers are written and read with a point under a locale whose decimal mark is a comma.
TEST(Number, DoesNotFollowTheLocale) {
    const std::string saved = std::setlocale(LC_ALL, nullptr);
    bool german = false;
    for (const char* name : {"de_DE.UTF-8", "de-DE", "German_Germany.1252"})
        german = german || std::setlocale(LC_ALL, name);
    QUORLIN_NEEDS(german, "the de_DE.UTF-8 locale (scripts/setup generates it)");
    EXPECT_STREQ(std::localeconv()->decimal_point, ",");
    EXPECT_EQ(numtext(1.5), " 1.5");
    EXPECT_EQ(lenient("1.5"), 1.5);
    std::string micrometres;
    appendMicrometres(micrometres, 150);
    EXPECT_EQ(micrometres, "1.5");
    std::setlocale(LC_ALL, saved.c_str());
}

TEST(Number, ReadingTable) {
    struct Case {
        const char* text;
        double lenient;
        bool strictOk, exactOk;
    };
    const double inf = std::numeric_limits<double>::infinity();
    const Case cases[] = {
        {"12", 12, true, true},         {"  -3.5", -3.5, true, false},
        {"+4", 4, true, false},         {".5", 0.5, true, true},
        {"5.", 5, true, true},          {"1e3", 1000, true, true},
        {"1E-2", 0.01, true, true},     {"1e", 1, false, false},
        {"2e+", 2, false, false},       {"12abc", 12, false, false},
        {"abc", 0, false, false},       {"", 0, false, false},
        {"-", 0, false, false},         {"+-5", 0, false, false},
        {"-+5", 0, false, false},       {".", 0, false, false},
        {"-.e5", 0, false, false},      {"nan", 0, false, false},
        {"inf", 0, false, false},       {"-infinity", 0, false, false},
        {"0x10", 0, false, false},      {" 7 ", 7, true, false},
        {"\t7", 0, false, false},       {"1 2", 1, false, false},
        {"-0", -0.0, true, true},       {"99999999999999999999", 1e20, true, true},
        {"1e999", inf, true, false},    {"-1e999", -inf, true, false},
        {"-1e-999", -0.0, true, false}, {"4e-324", 5e-324, true, true},
    };
    for (const auto& c : cases) {
        EXPECT_TRUE(sameBits(lenient(c.text), c.lenient)) << c.text;
        double v = -999;
        EXPECT_EQ(strict(c.text, v), c.strictOk) << c.text;
        if (c.strictOk) {
            EXPECT_TRUE(sameBits(v, c.lenient)) << c.text;
        }
        v = -999;
        EXPECT_EQ(exactNumber(c.text, v), c.exactOk) << c.text;
        if (c.exactOk) {
            EXPECT_TRUE(sameBits(v, c.lenient)) << c.text;
        }
    }
}

TEST(Number, WholeNumbersAndRounding) {
    uint64_t u = 0;
    EXPECT_TRUE(wholeDigits("007", u));
    EXPECT_EQ(u, 7u);
    EXPECT_TRUE(wholeDigits("9999999999999999999", u));
    EXPECT_EQ(u, 9999999999999999999u);
    for (const char* bad : {"", "+1", "-1", "1 ", "12345678901234567890", "1.0"})
        EXPECT_FALSE(wholeDigits(bad, u)) << bad;
    EXPECT_FALSE(wholeDigits("1234567", u, 6));
    EXPECT_EQ(leadingInt("-12x"), -12);
    EXPECT_EQ(leadingInt("x12"), 0);
    EXPECT_EQ(leadingInt("+3"), 3);
    EXPECT_EQ(leadingInt("+-3"), 0);
    EXPECT_EQ(leadingInt("99999999999999999999999"), std::numeric_limits<int64_t>::max());
    EXPECT_EQ(leadingInt("-99999999999999999999999"), std::numeric_limits<int64_t>::min());
    EXPECT_EQ(roundEven(2.5), 2);
    EXPECT_EQ(roundEven(3.5), 4);
    EXPECT_EQ(roundEven(-2.5), -2);
    EXPECT_EQ(toInt64(std::nan("")), 0);
    EXPECT_EQ(toInt64(1e300), std::numeric_limits<int64_t>::max());
    EXPECT_EQ(toInt64(-1e300), std::numeric_limits<int64_t>::min());
    for (const auto& [c, value] :
         {std::pair{'a', 10}, {'F', 15}, {'0', 0}, {'9', 9}, {'G', 0}, {' ', 0}, {'\xc1', 0}})
        EXPECT_EQ(hexDigit(c), value) << c;
    EXPECT_EQ(countText(0), "0");
    EXPECT_EQ(countText(18446744073709551615u), "18446744073709551615");
    EXPECT_EQ(toRegionUnits(1.5), 3810);
    EXPECT_EQ(toThousandths(3810), 1.5);
}

// Fields as Tango files have them, and what may follow a number: read as strtod reads them.
TEST(Number, ReadingAgreesWithTheCLibrary) {
    std::mt19937_64 gen(7);
    std::uniform_int_distribution<int> length(1, 20), point(-1, 20), digit(0, 9), sign(0, 2);
    std::uniform_int_distribution<int> exponent(-330, 330);
    for (int i = 0; i < 50000; ++i) {
        std::string text = sign(gen) == 0 ? "-" : sign(gen) == 0 ? "+" : "";
        const int n = length(gen), at = point(gen);
        for (int d = 0; d < n; ++d) {
            if (d == at) text += '.';
            text += static_cast<char>('0' + digit(gen));
        }
        if (i % 4 == 0) text += "e" + std::to_string(exponent(gen));
        const double expected = std::strtod(text.c_str(), nullptr);
        double read = 0;
        ASSERT_TRUE(strict(text, read)) << text;
        ASSERT_TRUE(sameBits(read, expected)) << text;
        for (const char* tail : {"x", "e5", "E-2", "e", ".", ".7", " 9", "e+"}) {
            const std::string field = text + tail;
            ASSERT_TRUE(sameBits(lenient(field), std::strtod(field.c_str(), nullptr))) << field;
        }
    }
}

// The signed number text built from printf's "%.14e" digits.
std::string reference(double v) {
    if (std::isnan(v)) return " nan";
    const char sign = std::signbit(v) && v != 0 ? '-' : ' ';
    v = std::fabs(v);
    if (std::isinf(v)) return std::string(1, sign) + "inf";
    if (v == 0) return " 0";
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.14e", v);
    const char* e = std::strchr(buf, 'e');
    std::string digits(1, buf[0]);
    digits.append(buf + 2, static_cast<size_t>(e - (buf + 2)));
    while (digits.size() > 1 && digits.back() == '0') digits.pop_back();
    const int point = std::atoi(e + 1) + 1;
    const int nd = static_cast<int>(digits.size());
    std::string out(1, sign);
    if (point <= 0)
        out += "." + std::string(static_cast<size_t>(-point), '0') + digits;
    else if (point >= nd)
        out += digits + std::string(static_cast<size_t>(point - nd), '0');
    else
        out += digits.substr(0, static_cast<size_t>(point)) + "." +
               digits.substr(static_cast<size_t>(point));
    return out;
}

TEST(Number, WritingAgreesWithPrintf) {
    const double edges[] = {0,
                            1,
                            999999999999999,
                            1e15,
                            1e15 + 2,
                            9007199254740993.0,
                            123456789012345.5,
                            0.1,
                            2.5e-8,
                            std::numeric_limits<double>::min(),
                            std::numeric_limits<double>::denorm_min(),
                            std::numeric_limits<double>::max(),
                            313436.00000000006,
                            2540 * 0.7,
                            99999999999999.95,
                            999999999999999.5,
                            std::numeric_limits<double>::infinity(),
                            std::nan("")};
    for (double v : edges) {
        EXPECT_EQ(numtext(v), reference(v)) << v;
        EXPECT_EQ(numtext(-v), reference(-v)) << -v;
    }
    EXPECT_EQ(plainnum(-0.5), "-.5");
    EXPECT_EQ(plainnum(-0.0), "0");
    std::mt19937_64 gen(2026);
    std::uniform_int_distribution<int64_t> coord(-300000000, 300000000);
    std::uniform_int_distribution<uint64_t> bits;
    for (int i = 0; i < 50000; ++i) {
        double any;
        const uint64_t b = bits(gen);
        std::memcpy(&any, &b, sizeof any);
        for (double v : {static_cast<double>(coord(gen)), coord(gen) / 1000.0, any}) {
            ASSERT_EQ(numtext(v), reference(v)) << v;
        }
    }
}

TEST(Number, Micrometres) {
    const std::pair<double, const char*> computed[] = {
        {0, "0"},   {-0.4, "0"},       {5, ".05"},   {-120, "-1.2"},
        {100, "1"}, {12345, "123.45"}, {2.5, ".02"}, {1e15, "10000000000000"},
    };
    for (const auto& [units, text] : computed) {
        std::string out;
        appendMicrometres(out, units);
        EXPECT_EQ(out, text) << units;
    }
    std::string huge;
    appendMicrometres(huge, -1e300);
    EXPECT_EQ(huge, "-1" + std::string(298, '0'));
    struct Case {
        const char* text;
        bool negate;
        const char* micrometres;
    };
    const Case texts[] = {
        {"5", false, ".05"},
        {"-5", true, ".05"},
        {"5", true, "-.05"},
        {"-007", false, "-.07"},
        {"-0.000", false, "0"},
        {"12.50", false, ".125"},
        {"1234567890123456789012", false, "12345678901234567890.12"},
        {"1.5e3", true, "-15"},
        {".5", false, ".005"},
        {"250.", false, "2.5"},
    };
    for (const Case& c : texts) {
        std::string out;
        appendMicrometresOfText(out, c.text, std::strtod(c.text, nullptr), c.negate);
        EXPECT_EQ(out, c.micrometres) << c.text;
    }
    // Texts of up to 15 digits read the same as plainnum of the value they stand for.
    std::mt19937_64 gen(11);
    std::uniform_int_distribution<int64_t> units(-99999999999, 99999999999);
    for (int i = 0; i < 20000; ++i) {
        const int64_t u = units(gen);
        const std::string text =
            std::to_string(u / 1000) + "." + std::to_string(std::abs(u) % 1000);
        std::string out;
        const double value = std::strtod(text.c_str(), nullptr);
        appendMicrometresOfText(out, text, value, false);
        ASSERT_EQ(out, plainnum(value / 100)) << text;
        out.clear();
        appendMicrometres(out, static_cast<double>(u));
        ASSERT_EQ(out, plainnum(static_cast<double>(u) / 100)) << u;
    }
}

}  // namespace
}  // namespace quorlin
