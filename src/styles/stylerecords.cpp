#include "styles/stylerecords.h"

#include <cmath>
#include <initializer_list>
#include <utility>

#include "styles/padshapes.h"
#include "util/number.h"
#include "util/text.h"

namespace quorlin {

namespace {

std::string_view mid(std::string_view s, size_t from, size_t count) {
    return from < s.size() ? s.substr(from, count) : std::string_view{};
}

void line(std::string& out, std::initializer_list<std::string_view> pieces) {
    for (std::string_view p : pieces) out += p;
    out += kCrLf;
}

// The first two lines of every style file written: they tell its backups from a user's.
constexpr std::string_view kFirstLines[] = {";PAD STYLES", "DEFAULT,CVIA,50th,50th,25th,3th,10th"};

// "<name>,STACK,HOLE,<hole>th,10th" and the 20 references to the stack's pad style.
void appendStackLines(std::string& out, std::string_view name, std::string_view stackPad,
                      std::string_view hole) {
    line(out, {name, ",STACK,HOLE,", hole, "th,10th"});
    for (int i = 0; i < 20; ++i) line(out, {"+ ", stackPad});
}

void appendPolygonPad(std::string& out, std::string_view name, std::string_view guard,
                      const std::vector<Vertex>& vertices) {
    line(out, {name, ",PSMPAD,", std::to_string(vertices.size()), ",0,0,", guard});
    appendVertexLines(out, vertices);
}

}  // namespace

StyleDimensions decodeStyleName(std::string_view name) {
    StyleDimensions d;
    d.kind = lowerAscii(mid(name, 0, 2));
    static const std::pair<std::string_view, PadShape> kShapes[] = {
        {"rr", PadShape::RoundedRectangle}, {"sq", PadShape::Square},
        {"el", PadShape::Ellipse},          {"ov", PadShape::Obround},
        {"mh", PadShape::MountingHole},     {"tg", PadShape::Tag},
        {"vc", PadShape::RoundVia},         {"vs", PadShape::SquareVia}};
    for (const auto& [kind, shape] : kShapes)
        if (d.kind == kind) d.shape = shape;
    d.a = lenient(mid(name, 2, 3));
    d.b = lenient(mid(name, 5, 3));
    d.c = lenient(mid(name, 8, 3));
    d.atext = plainnum(d.a);
    d.btext = plainnum(d.b);
    d.ctext = plainnum(d.c);
    return d;
}

bool trackStyleWidth(std::string_view name, double& width) {
    if (name.empty() || (name[0] != 'T' && name[0] != 't')) return false;
    return strict(name.substr(1), width) && std::isfinite(width);
}

void appendPadStyle(std::string& out, std::string_view s, std::string_view g, bool replicate) {
    const StyleDimensions d = decodeStyleName(s);
    const PadShape shape = d.shape;
    const std::string& a = d.atext;
    const std::string& b = d.btext;
    const std::string& c = d.ctext;
    const bool square = a == b;

    // Pads without a hole are SMD pads; vias always land here (their names carry no hole).
    if (d.c == 0) {
        if (shape == PadShape::RoundedRectangle) {
            appendPolygonPad(out, s, g, roundedRectangle(d.a, d.b));
        } else if (shape == PadShape::Square) {
            line(out, {s, ",RSMPAD,", a, "th,", b, "th,0,", g, ",0"});
        } else if (shape == PadShape::Ellipse || shape == PadShape::Obround) {
            if (square)
                line(out, {s, ",CSMPAD,", a, "th,", b, "th,0,", g, ",0"});
            else if (shape == PadShape::Ellipse)
                appendPolygonPad(out, s, g, ellipse(d.a, d.b));
            else
                appendPolygonPad(out, s, g, obround(d.a, d.b));
        } else if (shape == PadShape::RoundVia) {
            line(out, {s, ",CVIA,", a, "th,", a, "th,", b, "th,", g, ",10th"});
        } else if (shape == PadShape::SquareVia) {
            line(out, {s, ",SVIA,", a, "th,", a, "th,", b, "th,", g, ",10th"});
        } else if (shape == PadShape::Tag) {
            const std::string h = plainnum(std::floor(d.a / 2));
            line(out, {s, ",CPAD,", a, "th,", a, "th,", h, "th,", g, ",0"});
        }
        return;
    }

    // Through pads. With replicate checked, shapes ARES has no through pad for become a stack
    // whose pad style is named after the shape and sizes ("STK" + the first eight characters).
    const std::string stack = "STK" + std::string(mid(s, 0, 8));
    auto through = [&](std::string_view type, std::string_view x, std::string_view y) {
        line(out, {s, ",", type, ",", x, "th,", y, "th,", c, "th,", g, ",10th"});
    };
    if (shape == PadShape::RoundedRectangle) {
        if (!replicate) return through("DPAD", a, b);
        appendPolygonPad(out, stack, g, roundedRectangle(d.a, d.b));
        appendStackLines(out, s, stack, c);
    } else if (shape == PadShape::Square) {
        if (square) return through("SPAD", a, b);
        if (!replicate) return through("DPAD", a, b);
        line(out, {stack, ",RSMPAD,", a, "th,", b, "th,0,", g, ",0"});
        appendStackLines(out, s, stack, c);
    } else if (shape == PadShape::Ellipse) {
        if (square) return through("CPAD", a, b);
        if (!replicate) {
            const std::string& smaller = d.b >= d.a ? a : b;
            return through("CPAD", smaller, smaller);
        }
        appendPolygonPad(out, stack, g, ellipse(d.a, d.b));
        appendStackLines(out, s, stack, c);
    } else if (shape == PadShape::Obround) {
        if (square) return through("CPAD", a, b);
        if (!replicate) return through("DPAD", a, b);
        appendPolygonPad(out, stack, g, obround(d.a, d.b));
        appendStackLines(out, s, stack, c);
    } else if (shape == PadShape::MountingHole) {
        // A hole as large as its pad would leave no copper: one thousandth of ring is added.
        if (a == c) {
            const std::string grown = plainnum(d.a + 1);
            return through("CPAD", grown, grown);
        }
        through("CPAD", a, b);
    }
}

void rewriteTrackNames(std::vector<std::string>& names) {
    for (std::string& name : names) {
        if (lowerAscii(mid(name, 0, 2)) != "tr") continue;
        const std::string padded = "0000" + std::string(mid(name, 2, std::string::npos));
        name = "ZT" + padded.substr(padded.size() - 4);
    }
}

bool startsAsWrittenStyleFile(std::string_view text) {
    for (std::string_view first : kFirstLines) {
        if (!text.starts_with(first)) return false;
        text.remove_prefix(first.size());
        if (text.starts_with(kCrLf))
            text.remove_prefix(2);
        else if (text.starts_with('\r') || text.starts_with('\n'))
            text.remove_prefix(1);
        else
            return false;
    }
    return true;
}

std::string styleFileText(const std::vector<std::string>& names, int guardgap, bool replicate,
                          const std::function<void()>& perStyle) {
    const std::string guard = std::to_string(guardgap) + "th";
    std::string out;
    for (std::string_view first : kFirstLines) line(out, {first});
    for (const std::string& name : names) {
        if (perStyle) perStyle();
        appendPadStyle(out, name, guard, replicate);
    }
    line(out, {"*"});
    line(out, {";TRACE STYLES"});
    line(out, {"DEFAULT,10th"});
    line(out, {"RELIEF,10th"});
    for (const std::string& name : names) {
        if (lowerAscii(mid(name, 0, 2)) != "zt") continue;
        const std::string width = plainnum(lenient(mid(name, 2, std::string::npos)));
        line(out, {"T", width, ",", width, "th"});
    }
    line(out, {"*"});
    line(out, {""});
    return out;
}

}  // namespace quorlin
