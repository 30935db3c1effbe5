// Arcs cut into track segments: the step rule and the rounding of the last point.
#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "region/arcsegments.h"

namespace quorlin {
namespace {

TEST(TrackSections, QuarterArcOfRadius100Has15StepsAndARest) {
    std::vector<std::pair<ArcPoint, ArcPoint>> segs;
    cutArc(100, 0, 90, 0, 0, [&](ArcPoint a, ArcPoint b) { segs.emplace_back(a, b); });
    ASSERT_EQ(segs.size(), 16u);
    EXPECT_NEAR(arcStep(100), 5.729578, 1e-6);
    // The 16th segment starts at 15 steps (85.94 degrees) and ends on the end angle, whose
    // cosine is a hair below zero with this pi, so X floors to -1.
    EXPECT_EQ(segs[15].first.x, 17967);
    EXPECT_EQ(segs[15].first.y, 253363);
    EXPECT_EQ(segs[15].second.x, -1);
    EXPECT_EQ(segs[15].second.y, 254000);
    for (size_t i = 1; i < segs.size(); ++i) {
        EXPECT_EQ(segs[i].first.x, segs[i - 1].second.x);
        EXPECT_EQ(segs[i].first.y, segs[i - 1].second.y);
    }
}

TEST(TrackSections, SweepIsCappedAtAFullTurn) {
    auto count = [](double start, double sweep) {
        size_t n = 0;
        cutArc(50, start, sweep, 0, 0, [&](ArcPoint, ArcPoint) { ++n; });
        return n;
    };
    EXPECT_EQ(count(0, 1e300), count(0, 360));
    EXPECT_EQ(count(0, 720), count(0, 360));
    // Where a step vanishes against the start angle the arc still ends.
    EXPECT_LE(count(1e17, 360), 200u);
}

}  // namespace
}  // namespace quorlin
