#include "region/chords.h"

#include <cmath>

#include "region/header.h"
#include "region/objectrecords.h"
#include "util/basic.h"
#include "util/text.h"

namespace quorlin::objects {

bool appendArcChords(std::string& out, std::string_view layer, double radius, double start,
                     double sweep, double cx, double cy) {
    if (!std::isfinite(radius) || !std::isfinite(start) || !std::isfinite(sweep) ||
        !std::isfinite(cx) || !std::isfinite(cy))
        return false;
    const double r = roundEven(toRegionUnits(radius));
    const double x0 = roundEven(toRegionUnits(cx));
    const double y0 = roundEven(toRegionUnits(cy));
    // Points beyond the range of a double cannot be written.
    if (!std::isfinite(std::fabs(r) + std::fabs(x0)) ||
        !std::isfinite(std::fabs(r) + std::fabs(y0)))
        return false;
    // More than a full turn only draws the same chords again.
    if (sweep > 360) sweep = 360;
    const double a0 = start;
    const double a1 = a0 + sweep;
    struct Point {
        double x, y;
    };
    auto point = [&](double a) {
        double c, s;
        cossind(a, c, s);
        return Point{std::floor(r * c) + x0, std::floor(r * s) + y0};
    };
    PointText points;
    auto chord = [&](Point from, Point to) {
        appendLine4(out, layer, points, from.x, from.y, to.x, to.y);
    };
    if (radius == 0) {  // the step would divide by zero; every point is the centre
        chord(point(a0), point(a1));
        return true;
    }
    // The angle that covers 10 thou of arc, kept between 2 and 10 degrees.
    double step = 10 / (2 * radius * kPi) * 360;
    if (step >= 10) step = 10;
    if (step < 2) step = 2;
    if (a1 - a0 <= step) {
        chord(point(a0), point(a1));
        return true;
    }
    const double limit = a1 - step;
    double a = a0;
    // Each chord starts where the last ended: its end point is computed once.
    Point from = point(a);
    while (a <= limit) {
        const double next = a + step;
        if (next == a) break;  // an angle so large that the step is lost in its last digit
        const Point to = point(next);
        chord(from, to);
        from = to;
        a = next;
    }
    if (a < a1) chord(from, point(a1));
    return true;
}

}  // namespace quorlin::objects
