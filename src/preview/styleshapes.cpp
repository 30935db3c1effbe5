#include "preview/styleshapes.h"

#include <string>

#include "styles/stylerecords.h"

namespace quorlin {

namespace {

const AresPadStyle* find(const AresStyles* styles, std::string_view name) {
    if (!styles) return nullptr;
    const auto it = styles->pads.find(std::string(name));
    return it == styles->pads.end() ? nullptr : &it->second;
}

// The shape of one style of the file, without its hole.
void shape(const AresPadStyle& s, Outline& o) {
    switch (s.kind) {
        case AresPadKind::CPAD:
        case AresPadKind::CSMPAD:
        case AresPadKind::CVIA:
            circle(o, s.a);
            break;
        case AresPadKind::SPAD:
        case AresPadKind::SVIA:
            rectangle(o, s.a, s.a);
            break;
        case AresPadKind::RSMPAD:
            rectangle(o, s.a, s.b);
            break;
        case AresPadKind::DPAD:
            s.a == s.b ? circle(o, s.a) : polygon(o, obround(s.a, s.b));
            break;
        case AresPadKind::PSMPAD:
            if (s.points.size() >= 3) polygon(o, s.points);
            break;
        case AresPadKind::STACK:
            break;
    }
}

bool fromFile(const AresStyles* styles, const AresPadStyle& s, Outline& o) {
    const AresPadStyle* drawn = &s;
    // A stack is drawn as the pad of its first layer, with the stack's hole.
    if (s.kind == AresPadKind::STACK) {
        drawn = find(styles, s.stackPad);
        if (!drawn || drawn->kind == AresPadKind::STACK) return false;
    }
    shape(*drawn, o);
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
    if (const AresPadStyle* s = find(styles, style)) {
        Outline fromStyle;
        if (fromFile(styles, *s, fromStyle)) {
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
