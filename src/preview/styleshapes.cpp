#include "preview/styleshapes.h"

#include <string>

#include "styles/stylerecords.h"

namespace quorlin {

namespace {

// The outline of one style of the file (a stack's is its first pad's, with the stack's hole).
bool fromFile(const AresPadStyle& s, Outline& o) {
    switch (s.kind) {
        case AresPadKind::RoundThrough:
        case AresPadKind::RoundSmd:
        case AresPadKind::RoundVia:
            circle(o, s.a);
            break;
        case AresPadKind::SquareThrough:
        case AresPadKind::SquareVia:
            rectangle(o, s.a, s.a);
            break;
        case AresPadKind::RectangleSmd:
            rectangle(o, s.a, s.b);
            break;
        case AresPadKind::ObroundThrough:
            s.a == s.b ? circle(o, s.a) : polygon(o, obround(s.a, s.b));
            break;
        case AresPadKind::PolygonSmd:
            if (s.points.size() >= 3) polygon(o, s.points);
            break;
    }
    if (!(o.hx > 0 && o.hy > 0)) return false;
    if (s.hole > 0) {
        Outline h;
        circle(h, s.hole);
        o.d += h.d;
    }
    return true;
}

}  // namespace

bool styleOutline(const AresStyles* styles, std::string_view style, Outline& o) {
    if (styles) {
        const auto it = styles->pads.find(std::string(style));
        Outline fromStyle;
        if (it != styles->pads.end() && fromFile(it->second, fromStyle)) {
            o = std::move(fromStyle);
            return true;
        }
    }
    return outline(style, o);
}

bool styleTrackWidth(const AresStyles* styles, std::string_view style, double& width) {
    if (styles) {
        const auto it = styles->traces.find(std::string(style));
        if (it != styles->traces.end() && it->second > 0) {
            width = it->second;
            return true;
        }
    }
    return trackStyleWidth(style, width) && width > 0;
}

}  // namespace quorlin
