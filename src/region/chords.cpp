#include "region/chords.h"

#include <cmath>

#include "region/arcsegments.h"
#include "region/header.h"
#include "region/objectrecords.h"
#include "util/number.h"
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
    PointText points;
    cutArc(radius, start, sweep, cx, cy, [&](ArcPoint from, ArcPoint to) {
        appendLine4(out, layer, points, from.x, from.y, to.x, to.y);
    });
    return true;
}

}  // namespace quorlin::objects
