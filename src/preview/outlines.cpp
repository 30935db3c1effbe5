#include "preview/outlines.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "styles/padshapes.h"
#include "styles/stylerecords.h"
#include "util/number.h"

namespace quorlin {

void circle(Outline& o, double diameter) {
    const double r = toRegionUnits(diameter) / 2;
    std::string t, minus;
    appendMicrometres(t, r);
    appendMicrometres(minus, -r);
    o.d.append("M").append(t).append(" 0A").append(t).append(" ").append(t).append(" 0 1 0 ");
    o.d.append(minus).append(" 0A").append(t).append(" ").append(t).append(" 0 1 0 ");
    o.d.append(t).append(" 0Z");
    o.hx = std::max(o.hx, r);
    o.hy = std::max(o.hy, r);
}

void polygon(Outline& o, const std::vector<Vertex>& vertices) {
    char command = 'M';
    for (const Vertex& v : vertices) {
        const double x = toRegionUnits(v.x), y = toRegionUnits(v.y);
        o.d += command;
        appendMicrometres(o.d, x);
        o.d += ' ';
        appendMicrometres(o.d, -y);
        command = 'L';
        o.hx = std::max(o.hx, std::fabs(x));
        o.hy = std::max(o.hy, std::fabs(y));
    }
    o.d += 'Z';
}

void rectangle(Outline& o, double a, double b) {
    polygon(o, {{a / 2, b / 2}, {-a / 2, b / 2}, {-a / 2, -b / 2}, {a / 2, -b / 2}});
}

bool outline(std::string_view style, Outline& o) {
    const StyleDimensions d = decodeStyleName(style);
    double hole = d.c;
    switch (d.shape) {
        case PadShape::None:
            return false;
        case PadShape::Square:
            rectangle(o, d.a, d.b);
            break;
        case PadShape::RoundedRectangle:
            polygon(o, roundedRectangle(d.a, d.b));
            break;
        case PadShape::Ellipse:
            d.a == d.b ? circle(o, d.a) : polygon(o, ellipse(d.a, d.b));
            break;
        case PadShape::Obround:
            d.a == d.b ? circle(o, d.a) : polygon(o, obround(d.a, d.b));
            break;
        case PadShape::MountingHole:
            // The style file grows a pad as large as its hole by one thousandth.
            circle(o, d.a == d.c ? d.a + 1 : d.a);
            break;
        case PadShape::Tag:
            circle(o, d.a);
            hole = std::floor(d.a / 2);
            break;
        case PadShape::RoundVia:
            circle(o, d.a);
            hole = d.b;
            break;
        case PadShape::SquareVia:
            rectangle(o, d.a, d.a);
            hole = d.b;
            break;
    }
    if (!(o.hx > 0 && o.hy > 0)) return false;
    if (hole > 0) {
        Outline h;
        circle(h, hole);
        o.d += h.d;
    }
    return true;
}

}  // namespace quorlin
