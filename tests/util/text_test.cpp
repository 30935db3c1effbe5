#include "util/text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <random>
#include <vector>

#include "support/harness.h"
#include "util/basic.h"

namespace quorlin {
namespace {

// The line rule written out with a string per line.
std::vector<std::string> referenceLines(const std::string& data) {
    std::vector<std::string> lines;
    std::string line;
    for (size_t i = 0; i < data.size(); ++i) {
        if (data[i] != '\r' && data[i] != '\n') {
            line += data[i];
            continue;
        }
        lines.push_back(line);
        line.clear();
        if (data[i] == '\r' && i + 1 < data.size() && data[i + 1] == '\n') ++i;
    }
    if (!data.empty() && data.back() != '\r' && data.back() != '\n') lines.push_back(line);
    return lines;
}

// Every kind of line end, and a CR LF pair split by nothing else.
TEST(Lines, EndAtCrLfALoneCrOrALoneLf) {
    const std::string cases[] = {
        "a\r\nb",
        "a\r\n\r\n",
        "a\r",
        "a\n",
        "",
        "\n\n",
        "\r\r",
        "a\n\rb\r\n\nc",
        std::string(200, 'a') + "\r\n" + std::string(70, 'y'),
    };
    for (const std::string& data : cases) {
        const auto lines = test::splitLines(data);
        EXPECT_EQ(std::vector<std::string>(lines.begin(), lines.end()), referenceLines(data));
    }
}

// The board reader rewrites each line in place while the lines are split.
TEST(Lines, CallerMayRewriteTheLineItIsGiven) {
    std::string data;
    for (int i = 0; i < 40; ++i)
        data += std::string(static_cast<size_t>(i), 'q') + (i % 2 ? "\r\n" : "\n");
    const auto expected = referenceLines(data);
    std::vector<std::string> got;
    forEachLine(std::string_view(data), [&](std::string_view line) {
        got.emplace_back(line);
        std::memset(const_cast<char*>(line.data()), 'z', line.size());
    });
    EXPECT_EQ(got, expected);
}

// Arc points take cosine and sine together; a segment end must not move by a bit for it.
TEST(Basic, CosineAndSineTogetherAreTheSameBits) {
    std::mt19937_64 gen(90);
    std::uniform_real_distribution<double> turns(-720, 720), huge(-1e22, 1e22);
    std::vector<double> angles = {
        0,           -0.0,  90,     180,    270,
        360,         1e300, -1e300, 5e-324, std::numeric_limits<double>::infinity(),
        std::nan("")};
    for (int i = 0; i < 200000; ++i) angles.push_back(turns(gen));
    for (int i = 0; i < 20000; ++i) angles.push_back(huge(gen));
    // Arc angles are built by adding the step again and again.
    for (double a = 0.3; a < 4000; a += 2.0000001) angles.push_back(a);
    auto bits = [](double v) {
        uint64_t b = 0;
        if (!std::isnan(v)) std::memcpy(&b, &v, sizeof b);
        return b;
    };
    for (double a : angles) {
        double c = 0, s = 0;
        cossind(a, c, s);
        ASSERT_EQ(bits(c), bits(cosd(a))) << a;
        ASSERT_EQ(bits(s), bits(sind(a))) << a;
        ASSERT_EQ(std::isnan(c), std::isnan(cosd(a))) << a;
    }
}

TEST(Basic, Trig) {
    EXPECT_NE(cosd(90), 0.0);
    EXPECT_NEAR(cosd(90), 0, 1e-9);
    EXPECT_DOUBLE_EQ(sind(30), std::sin(30.0 / 180 * 3.141592654));
}

}  // namespace
}  // namespace quorlin
