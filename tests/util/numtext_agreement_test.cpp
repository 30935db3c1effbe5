// The number text takes shortcuts (whole numbers, shortest digits); every one of them must give
// the digits that rounding the exact value to 15 significant digits gives, as the C library's
// printf does.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "util/text.h"

namespace quorlin {
namespace {

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

TEST(NumTextAgreement, EdgeValues) {
    const double cases[] = {
        1,
        9,
        10,
        999999999999999,
        1e15 - 1,
        1e15,
        1e15 + 2,
        9007199254740993.0,
        123456789012345.5,
        0.1,
        0.000123,
        2.5e-8,
        1e-300,
        std::numeric_limits<double>::min(),
        std::numeric_limits<double>::denorm_min(),
        4.9406564584124654e-320,
        std::numeric_limits<double>::max(),
        313436.00000000006,
        2540 * 123.4,
        2540 * 0.7,
        0.30000000000000004,
        1.0000000000000002,
        99999999999999.95,
        999999999999999.5,
        0.0000000000000005,
        5e-324,
        1.7976931348623157e308 / 3,
        std::numeric_limits<double>::infinity(),
        std::nan(""),
    };
    for (double v : cases) {
        EXPECT_EQ(numtext(v), reference(v)) << v;
        EXPECT_EQ(numtext(-v), reference(-v)) << -v;
    }
    // Without the sign's place.
    EXPECT_EQ(plainnum(-0.5), "-.5");
    EXPECT_EQ(plainnum(7), "7");
}

// Whole numbers are made eight digits at a time; every length and every digit in every place
// must come out as the plain decimal.
TEST(NumTextAgreement, WholeNumbersOfEveryLength) {
    std::vector<uint64_t> values;
    for (uint64_t u = 0; u < 100000; ++u) values.push_back(u);
    for (uint64_t power = 1; power <= 10000000000; power *= 10)
        for (uint64_t u : {power - 1, power, power + 1, 2 * power - 1, 5 * power, 9 * power + 9})
            values.push_back(u);
    for (uint64_t u = 100000; u < 100000000; u += 9973) values.push_back(u);
    for (uint64_t u : values) {
        const std::string digits = std::to_string(u);
        ASSERT_EQ(numtext(static_cast<double>(u)), " " + digits);
        ASSERT_EQ(numtext(-static_cast<double>(u)), (u == 0 ? " " : "-") + digits);
    }
}

TEST(NumTextAgreement, RandomValues) {
    std::mt19937_64 gen(2026);
    // Whole and near-whole region coordinates, decimals of few digits, and any bit pattern.
    std::uniform_int_distribution<int64_t> coord(-300000000, 300000000);
    std::uniform_int_distribution<int> tenths(0, 99999);
    std::uniform_int_distribution<uint64_t> bits;
    for (int i = 0; i < 200000; ++i) {
        const double values[] = {
            static_cast<double>(coord(gen)),
            tenths(gen) / 10.0 * 2540,
            tenths(gen) / 1000.0,
            std::floor(std::cos(i) * 5e6) + 0.5,
            static_cast<double>(bits(gen) % 1000000000000000),
        };
        for (double v : values) {
            ASSERT_EQ(numtext(v), reference(v)) << v;
            char buf[kNumtextRoom];
            ASSERT_EQ(std::string(buf, writeNumtext(buf, v)), reference(v)) << v;
        }
        double any;
        const uint64_t b = bits(gen);
        std::memcpy(&any, &b, sizeof any);
        ASSERT_EQ(numtext(any), reference(any)) << any;
    }
}

// Short decimals are read by a division of whole numbers; the value must be the correctly
// rounded one the C library reads.
TEST(NumberReadingAgreement, ShortDecimals) {
    std::mt19937_64 gen(7);
    std::uniform_int_distribution<int> length(1, 17), point(-1, 17), digit(0, 9), sign(0, 2);
    for (int i = 0; i < 200000; ++i) {
        std::string text = sign(gen) == 0 ? "-" : sign(gen) == 0 ? "+" : "";
        const int n = length(gen), at = point(gen);
        for (int d = 0; d < n; ++d) {
            if (d == at) text += '.';
            text += static_cast<char>('0' + digit(gen));
        }
        const double expected = std::strtod(text.c_str(), nullptr);
        double read = 0;
        ASSERT_TRUE(strict(text, read)) << text;
        ASSERT_EQ(std::memcmp(&read, &expected, sizeof read), 0) << text;
        // What may follow a number: the lenient reading stops where the C library stops.
        for (const char* tail : {"x", "e5", "E-2", "e", ".", ".7", " 9", "e+"}) {
            const std::string field = text + tail;
            const double upToTail = std::strtod(field.c_str(), nullptr);
            ASSERT_EQ(std::memcmp(&upToTail, &(read = lenient(field)), sizeof read), 0) << field;
        }
    }
}

}  // namespace
}  // namespace quorlin
