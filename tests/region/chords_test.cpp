#include "region/chords.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

#include "support/harness.h"
#include "util/text.h"

namespace {

using quorlin::objects::appendArcChords;

std::vector<std::string> chords(double radius, double start, double sweep, double cx = 0,
                                double cy = 0) {
    std::string out;
    EXPECT_TRUE(appendArcChords(out, "M1", radius, start, sweep, cx, cy));
    std::vector<std::string> lines;
    for (std::string_view line : quorlin::test::splitLines(out)) lines.emplace_back(line);
    return lines;
}

TEST(ArcChords, QuarterOfRadius100IsFifteenStepsAndARest) {
    const auto lines = chords(100, 0, 90);
    ASSERT_EQ(lines.size(), 16u);
    EXPECT_TRUE(lines.front().starts_with("GRAPHIC M1 LINE 4  254000  0  ")) << lines.front();
    // Points round down: 254000 x cos 90 is a hair below zero, so its X is -1.
    EXPECT_EQ(lines.back(), "GRAPHIC M1 LINE 4  17967  253363 -1  254000");
}

TEST(ArcChords, SweepWithinOneStepIsOneChord) {
    // Radius 10: the step is capped at 10 degrees.
    EXPECT_EQ(chords(10, 0, 5),
              std::vector<std::string>{"GRAPHIC M1 LINE 4  25400  0  25303  2213"});
    // A negative sweep is one chord too.
    EXPECT_EQ(chords(10, 0, -30).size(), 1u);
}

TEST(ArcChords, StepIsKeptBetweenTwoAndTenDegrees) {
    EXPECT_EQ(chords(1000, 0, 90).size(), 45u);  // 2 degrees
    EXPECT_EQ(chords(10, 0, 90).size(), 9u);     // 10 degrees
}

TEST(ArcChords, RadiusZeroIsOneChordAtTheCentre) {
    EXPECT_EQ(chords(0, 0, 90, 100, 100),
              std::vector<std::string>{"GRAPHIC M1 LINE 4  254000  254000  254000  254000"});
}

TEST(ArcChords, MoreThanAFullTurnIsDrawnAsOneTurn) {
    EXPECT_EQ(chords(1000, 0, 1e12), chords(1000, 0, 360));
    EXPECT_EQ(chords(1000, 0, 360).size(), 180u);
}

TEST(ArcChords, AngleTooLargeForTheStepStillEnds) {
    const auto lines = chords(1000, 1e18, 360);
    EXPECT_LE(lines.size(), 181u);
}

TEST(ArcChords, NonFiniteValueWritesNothing) {
    std::string out;
    const double inf = std::numeric_limits<double>::infinity();
    EXPECT_FALSE(appendArcChords(out, "M1", 100, inf, 90, 0, 0));
    EXPECT_FALSE(appendArcChords(out, "M1", 100, 0, 90, -inf, 0));
    EXPECT_TRUE(out.empty());
}

}  // namespace
