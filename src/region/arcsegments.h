// Cuts a Tango arc into the straight track segments that stand for it in a region file.
#pragma once

#include <cmath>

#include "region/header.h"
#include "util/basic.h"
#include "util/number.h"
#include "util/text.h"

namespace quorlin {

struct ArcPoint {
    double x, y;
};

// Largest sweep drawn: more than a full turn only repeats segments over each other, and a huge
// sweep would never finish.
inline constexpr double kMaxSweep = 360;

// Angle step of an arc of the given radius (thousandths): the angle of 10 thousandths of arc
// length, kept between 2 and 10 degrees.
inline double arcStep(double radius) {
    const double circumference = (radius + radius) * kPi;
    double step = 10 / circumference * 360;
    if (step > 10) step = 10;
    if (step < 2) step = 2;
    return step;
}

// Calls seg(from, to) for each segment of the arc, in region units. Radius and centre are in
// thousandths, angles in degrees; points are rounded down (toward minus infinity). The angle
// advances by repeated addition of the step (not start + k x step): that sum fixes the segment ends
// down to the last bit.
template <typename Seg>
void cutArc(double radius, double startAngle, double sweep, double centreX, double centreY,
            Seg&& seg) {
    const double r = roundEven(toRegionUnits(radius));
    const double cx = roundEven(toRegionUnits(centreX));
    const double cy = roundEven(toRegionUnits(centreY));
    auto point = [&](double a) {
        double c, s;
        cossind(a, c, s);
        return ArcPoint{std::floor(r * c) + cx, std::floor(r * s) + cy};
    };
    if (sweep > kMaxSweep) sweep = kMaxSweep;
    const double start = startAngle;
    const double end = start + sweep;
    // A zero radius has no circumference to step along: the arc is its centre.
    if (radius == 0) {
        seg(point(start), point(end));
        return;
    }
    const double step = arcStep(radius);
    if (!(end - start > step)) {
        seg(point(start), point(end));
        return;
    }
    const double limit = end - step;
    double a = start;
    ArcPoint from = point(a);
    while (a <= limit) {
        const double next = a + step;
        // At huge angles the step can vanish in rounding; stop rather than loop for ever.
        if (!(next > a)) break;
        const ArcPoint to = point(next);
        seg(from, to);
        from = to;
        a = next;
    }
    if (a < end) seg(from, point(end));
}

}  // namespace quorlin
