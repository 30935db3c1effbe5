#include "region/svgwriter.h"

#include <algorithm>
#include <bit>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>

#include "styles/padshapes.h"
#include "styles/stylerecords.h"
#include "util/basic.h"
#include "util/number.h"
#include "util/text.h"
#include "util/utf8.h"

namespace quorlin {

namespace {

// The one table of layers: drawing order (the board edge beneath, bottom to top, keep-outs under
// the mask and silk so they hide no text, the guides and the drill above) and colour. A code not
// listed is drawn last, in grey.
struct LayerLook {
    std::string_view code, colour;
};
constexpr LayerLook kLayers[] = {
    {"ED", "#c9b27a"}, {"BM", "#7c9a3c"}, {"BR", "#9cc79c"}, {"BS", "#8c8c8c"},  {"BOT", "#2f6bd6"},
    {"I8", "#6b4fa8"}, {"I7", "#3f8f8f"}, {"I6", "#9a6a2a"}, {"I5", "#4f8f3f"},  {"I4", "#a84f8f"},
    {"I3", "#2f9f6f"}, {"I2", "#8f7fcf"}, {"I1", "#cf8f2f"}, {"TOP", "#d0352b"}, {"ALL", "#c8961e"},
    {"KO", "#d0209a"}, {"TM", "#3f8f5f"}, {"TR", "#5fbfa0"}, {"TS", "#1f1f1f"},  {"M1", "#6a5acd"},
    {"M2", "#1f9faf"}, {"M3", "#b07a10"}, {"M4", "#607080"}, {"DRL", "#000000"}};
constexpr std::string_view kOtherColour = "#999999";
constexpr size_t kKeptLines = 8;
// A layer's part goes out when it holds about 4 MB: no part is ever copied to grow, and a job
// hands each to its output as it is (the outputs write a file in pieces of 4 MB).
constexpr size_t kPiece = (size_t{4} << 20) + (size_t{64} << 10);
// The root tag around its slot for the size and viewBox, which holds the box of any board within
// a million kilometres of the origin.
constexpr std::string_view kRootStart =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    "<svg xmlns=\"http://www.w3.org/2000/svg\" xmlns:xlink=\"http://www.w3.org/1999/xlink\" "
    "version=\"1.1\" ";
constexpr size_t kBoxRoom = 160;
constexpr std::string_view kRootEnd =
    " font-family=\"DejaVu Sans, Arial, sans-serif\">\n"
    "<!-- Board preview drawn from a region file: units of 1 um (100 region units), Y up. -->\n"
    "<defs>\n";
// Lines are drawn 5 thousandths wide, tracks as wide as their style says.
constexpr double kLineWidth = 5 * 2540;

bool usableId(std::string_view code) {
    if (code.empty() || !std::isalpha(static_cast<unsigned char>(code[0]))) return false;
    return std::all_of(code.begin(), code.end(), [](char c) {
        return std::isalnum(static_cast<unsigned char>(c)) || c == '_';
    });
}

// Equal texts; most are a few bytes long (layer codes, style names), too short for memcmp.
bool sameShortText(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (a[i] != b[i]) return false;
    return true;
}

// A whole number of region units as micrometres, the text plainnum gives for units / 100, made
// without the general formatter: "-12.3", ".05", "0".
char* writeCents(char* p, uint64_t units, bool minus) {
    const uint64_t whole = units / 100;
    const auto cents = static_cast<unsigned>(units % 100);
    if (units == 0) {
        *p++ = '0';
        return p;
    }
    if (minus) *p++ = '-';
    if (whole != 0) p = std::to_chars(p, p + 20, whole).ptr;
    if (cents != 0) {
        *p++ = '.';
        *p++ = static_cast<char>('0' + cents / 10);
        if (cents % 10 != 0) *p++ = static_cast<char>('0' + cents % 10);
    }
    return p;
}

// The digits of a whole number of region units as micrometres: what writeCents writes for its
// value, without reading the value. p has room for a sign, the digits and a point. Inlined:
// tracks and lines write four each.
[[gnu::always_inline]] inline char* writeWholeScaled(char* p, std::string_view digits, bool minus) {
    while (!digits.empty() && digits.front() == '0') digits.remove_prefix(1);
    const size_t n = digits.size();
    if (n == 0) {
        *p++ = '0';
        return p;
    }
    *p = '-';
    p += minus;
    // All but the last two digits: two copies that may overlap, neither past either end.
    const size_t m = n > 2 ? n - 2 : 0;
    if (m >= 4 && m <= 8) {
        std::memcpy(p, digits.data(), 4);
        std::memcpy(p + m - 4, digits.data() + m - 4, 4);
    } else if (m > 8 && m <= 16) {
        std::memcpy(p, digits.data(), 8);
        std::memcpy(p + m - 8, digits.data() + m - 8, 8);
    } else {
        std::copy(digits.begin(), digits.begin() + static_cast<std::ptrdiff_t>(m), p);
    }
    p += m;
    // Then the point and the last two digits, of which trailing zeros are left out.
    const char tens = n >= 2 ? digits[n - 2] : '0', ones = digits[n - 1];
    p[0] = '.';
    p[1] = tens;
    p[2] = ones;
    return p + (ones != '0' ? 3 : tens != '0' ? 2 : 0);
}

// The drawing's unit is the micrometre, a hundred region units: renderers limit a pen's width
// (Qt to 32767 units), and a wide track is 100000 region units. A number's text is moved two
// places without reading it again; Y is negated (Y down in SVG). p has room for the text and 4.
char* writeScaled(char* p, std::string_view n, double value, bool negate) {
    // Whole numbers, most of a region file: their digits are copied, the point put in.
    if (const size_t sign = !n.empty() && n.front() == '-'; n.size() > sign) {
        size_t i = sign;
        while (i < n.size() && n[i] >= '0' && n[i] <= '9') ++i;
        if (i == n.size()) return writeWholeScaled(p, n.substr(sign), (sign == 1) != negate);
    }
    // One plain loop finds the point and any exponent: find calls memchr, dear for short texts.
    size_t dot = std::string_view::npos;
    bool exponent = n.size() >= kNumtextRoom;
    for (size_t i = 0; i < n.size() && !exponent; ++i) {
        if (n[i] == '.') dot = i;
        exponent = n[i] == 'e' || n[i] == 'E';
    }
    if (exponent) {
        const std::string t = plainnum((negate ? -value : value) / 100);
        return std::copy(t.begin(), t.end(), p);
    }
    const bool minus = !n.empty() && n.front() == '-';
    if (minus) {
        n.remove_prefix(1);
        if (dot != std::string_view::npos) --dot;
    }
    std::string_view whole = n.substr(0, dot), fraction;
    if (dot != std::string_view::npos) fraction = n.substr(dot + 1);
    while (!whole.empty() && whole.front() == '0') whole.remove_prefix(1);
    const size_t cut = whole.size() >= 2 ? whole.size() - 2 : 0;
    char digits[2] = {'0', '0'};
    for (size_t i = cut, k = 2 - (whole.size() - cut); i < whole.size(); ++i, ++k)
        digits[k] = whole[i];
    whole = whole.substr(0, cut);
    while (!fraction.empty() && fraction.back() == '0') fraction.remove_suffix(1);
    size_t kept = fraction.empty() ? (digits[1] != '0' ? 2 : digits[0] != '0' ? 1 : 0) : 2;
    if (whole.empty() && kept == 0) {
        *p++ = '0';
        return p;
    }
    if (minus != negate) *p++ = '-';
    p = std::copy(whole.begin(), whole.end(), p);
    if (kept > 0) {
        *p++ = '.';
        p = std::copy(digits, digits + kept, p);
        p = std::copy(fraction.begin(), fraction.end(), p);
    }
    return p;
}

void appendScaled(std::string& out, std::string_view n, double value, bool negate) {
    char buf[kNumtextRoom + 8];
    out.append(buf, static_cast<size_t>(writeScaled(buf, n, value, negate) - buf));
}

void appendNum(std::string& out, double v) {
    out += plainnum(v);
}

// A length or place computed in region units, in whole ones, as micrometres, written at p,
// which has room for kNumtextRoom characters; returns the end.
char* writeMicrons(char* p, double v) {
    const double n = roundEven(v);
    if (!(std::fabs(n) < 1e15)) {
        const std::string t = plainnum(n / 100);
        return std::copy(t.begin(), t.end(), p);
    }
    const auto units = static_cast<int64_t>(n);
    return writeCents(p, static_cast<uint64_t>(units < 0 ? -units : units), units < 0);
}

void appendMicrons(std::string& out, double v) {
    char buf[kNumtextRoom];
    out.append(buf, static_cast<size_t>(writeMicrons(buf, v) - buf));
}

void appendPoint(std::string& out, char command, const RegionRecord& r, size_t i) {
    out += command;
    appendScaled(out, r.xyText[2 * i], r.xy[2 * i], false);
    out += ' ';
    appendScaled(out, r.xyText[2 * i + 1], r.xy[2 * i + 1], true);
}

// Text for XML: markup characters escaped, bytes that are not UTF-8 read as Latin-1, control
// characters (not allowed in XML) as '?', characters XML forbids as U+FFFD (their count is
// returned). In a comment no "--" may stand.
size_t appendXml(std::string& out, std::string_view s, bool comment) {
    size_t replaced = 0;
    for (size_t i = 0; i < s.size(); ++i) {
        const auto c = static_cast<unsigned char>(s[i]);
        if (c < 0x80) {
            if (c < 0x20 && c != '\t')
                out += '?';
            else if (comment)
                out.append(c == '-' && !out.empty() && out.back() == '-' ? " -" : s.substr(i, 1));
            else if (c == '&')
                out += "&amp;";
            else if (c == '<')
                out += "&lt;";
            else if (c == '>')
                out += "&gt;";
            else
                out += static_cast<char>(c);
            continue;
        }
        size_t n = c >= 0xF0 && c < 0xF5 ? 4 : c >= 0xE0 ? 3 : c >= 0xC2 && c < 0xE0 ? 2 : 0;
        bool valid = n > 0 && i + n <= s.size();
        for (size_t k = 1; valid && k < n; ++k)
            valid = (static_cast<unsigned char>(s[i + k]) & 0xC0) == 0x80;
        if (valid && forbiddenInXml(s.substr(i, n))) {
            out += "\xEF\xBF\xBD";
            ++replaced;
            i += n - 1;
        } else if (valid) {
            out.append(s.substr(i, n));
            i += n - 1;
        } else {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return replaced;
}

// Outline of a pad or via style around its centre, in region units with Y down: the shape, and
// the hole as a second outline that the even-odd rule leaves open.
struct Outline {
    std::string d;
    double hx = 0, hy = 0;
};

void circle(Outline& o, double diameter) {
    const double r = diameter * 2540 / 2;
    std::string t;
    appendMicrons(t, r);
    std::string minus;
    appendMicrons(minus, -r);
    o.d.append("M").append(t).append(" 0A").append(t).append(" ").append(t).append(" 0 1 0 ");
    o.d.append(minus).append(" 0A").append(t).append(" ").append(t).append(" 0 1 0 ");
    o.d.append(t).append(" 0Z");
    o.hx = std::max(o.hx, r);
    o.hy = std::max(o.hy, r);
}

void polygon(Outline& o, const std::vector<Vertex>& vertices) {
    char command = 'M';
    for (const Vertex& v : vertices) {
        // A vertex goes in at once: outlines of many styles are made vertex by vertex.
        char buf[2 * kNumtextRoom + 2];
        char* p = buf;
        *p++ = command;
        p = writeMicrons(p, v.x * 2540);
        *p++ = ' ';
        p = writeMicrons(p, -v.y * 2540);
        o.d.append(buf, static_cast<size_t>(p - buf));
        command = 'L';
        o.hx = std::max(o.hx, std::fabs(v.x * 2540));
        o.hy = std::max(o.hy, std::fabs(v.y * 2540));
    }
    o.d += 'Z';
}

void rectangle(Outline& o, double a, double b) {
    polygon(o, {{a / 2, b / 2}, {-a / 2, b / 2}, {-a / 2, -b / 2}, {a / 2, -b / 2}});
}

// False when the name gives no shape ARES knows, or no size.
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

}  // namespace

SvgPreview::SvgPreview() : SvgPreview(Sink{}) {}

SvgPreview::SvgPreview(Sink sink)
    : reader_([this](const RegionRecord& r) { draw(r); }),
      sink_(std::move(sink)),
      minX_(std::numeric_limits<double>::infinity()),
      minY_(minX_),
      maxX_(-minX_),
      maxY_(-minX_) {
    if (!sink_) return;
    defText_.reserve(kPiece);
    std::string root(kRootStart);
    root.append(kBoxRoom, ' ').append(kRootEnd);
    sink_(root);
}

void SvgPreview::finish() {
    reader_.finish();
    for (Layer& l : layers_)
        if (!l.part.empty()) sendPart(l);
    sendDefs();
    std::stable_sort(layers_.begin(), layers_.end(),
                     [](const Layer& a, const Layer& b) { return a.order < b.order; });
    last_ = nullptr;
    if (!sink_) return;
    std::string end = tail({});
    sink_(end);
}

std::vector<std::string> SvgPreview::layers() const {
    std::vector<std::string> codes;
    for (const Layer& l : layers_) codes.push_back(l.code);
    return codes;
}

SvgPreview::Layer* SvgPreview::layer(std::string_view code) {
    for (Layer& l : layers_)
        if (l.code == code) return last_ = &l;
    if (!usableId(code)) return nullptr;
    const auto* look = std::find_if(std::begin(kLayers), std::end(kLayers),
                                    [&](const LayerLook& k) { return k.code == code; });
    const bool known = look != std::end(kLayers);
    layers_.push_back({std::string(code),
                       known ? look->colour : kOtherColour,
                       static_cast<size_t>(look - std::begin(kLayers)),
                       {},
                       0,
                       -1});
    return last_ = &layers_.back();
}

std::string& SvgPreview::text(Layer& l) {
    // A streamed part never grows by copying; a kept one grows as it fills, so a small board's
    // layers take little memory.
    if (l.part.empty() && sink_) l.part.reserve(kPiece);
    if (l.part.empty())
        l.part.append("<g id=\"")
            .append(l.code)
            .append(".")
            .append(std::to_string(l.parts + 1))
            .append("\" fill=\"")
            .append(l.colour)
            .append("\">\n");
    return l.part;
}

// A part uses only outlines sent before it.
void SvgPreview::sendPart(Layer& l) {
    closeRun(l);
    l.part.append("</g>\n");
    ++l.parts;
    sendDefs();
    send(l.part, l.code);
}

void SvgPreview::sendDefs() {
    for (std::string& d : fullDefs_) send(d, {});
    fullDefs_.clear();
    if (defText_.empty()) return;
    send(defText_, {});
    if (sink_) defText_.reserve(kPiece);
}

void SvgPreview::send(std::string& chunk, std::string_view layer) {
    if (sink_)
        sink_(chunk);
    else
        kept_.emplace_back(layer, std::move(chunk));
    chunk.clear();
}

const SvgPreview::Def& SvgPreview::def(std::string_view style) {
    if (const auto known = defs_.find(style); known != defs_.end()) return known->second;
    const auto it = defs_.try_emplace(std::string(style)).first;
    Outline o;
    if (!outline(style, o)) return it->second;
    it->second = {++outlines_, o.hx, o.hy};
    // Outlines may come faster than any part fills: a full piece waits whole for the next part.
    if (defText_.size() >= kPiece - (size_t{64} << 10)) {
        fullDefs_.push_back(std::move(defText_));
        defText_ = std::string();
        if (sink_) defText_.reserve(kPiece);
    }
    defText_.append("<path id=\"s-")
        .append(std::to_string(it->second.id))
        .append("\" fill-rule=\"evenodd\" d=\"")
        .append(o.d)
        .append("\"/>\n");
    return it->second;
}

void SvgPreview::grow(double x, double y, double hx, double hy) {
    minX_ = std::min(minX_, x - hx);
    maxX_ = std::max(maxX_, x + hx);
    minY_ = std::min(minY_, y - hy);
    maxY_ = std::max(maxY_, y + hy);
}

void SvgPreview::skip(const RegionRecord& r, std::string_view reason) {
    ++skipped_[static_cast<size_t>(r.kind)];
    if (skippedLines_.size() < kKeptLines)
        skippedLines_.push_back(std::string(reason).append(": ").append(r.line));
}

void SvgPreview::closeRun(Layer& l) {
    if (l.run < 0) return;
    text(l).append("</g>\n");
    l.run = -1;
}

// The one place that turns a record into a drawing.
void SvgPreview::draw(const RegionRecord& r) {
    if (r.kind == RecordKind::Pad && r.layer.empty()) return skip(r, "no layer");
    Layer* l = last_ && sameShortText(last_->code, r.layer) ? last_ : layer(r.layer);
    if (!l) return skip(r, "layer code not usable");
    switch (r.kind) {
        case RecordKind::Track: {
            // Tracks come in runs of one style: its width is read once a run.
            if (!sameShortText(r.style, lastStyle_)) {
                lastStyle_.assign(r.style);
                if (!trackStyleWidth(r.style, lastWidth_) || !(lastWidth_ > 0)) lastWidth_ = 0;
            }
            if (lastWidth_ == 0) ++hairlines_;
            stroke(*l, r, lastWidth_ * 2540);
            break;
        }
        case RecordKind::Line:
            stroke(*l, r, kLineWidth);
            break;
        case RecordKind::Zone:
        case RecordKind::Path:
            if (r.xy.empty()) return skip(r, "no points");
            polygon(*l, r);
            break;
        case RecordKind::Via:
        case RecordKind::Pad: {
            const Def& d = def(r.style);
            if (d.id == 0) return skip(r, "style name not decodable");
            place(*l, r, d);
            break;
        }
        case RecordKind::Text:
            if (!(r.height > 0)) return skip(r, "text height not positive");
            text(*l, r);
            break;
    }
    ++drawn_[static_cast<size_t>(r.kind)];
    if (l->part.size() >= kPiece - (size_t{64} << 10)) sendPart(*l);
}

// Tracks and lines: a two-point path in a group that gives the stroke; a width of 0 draws a
// hairline.
void SvgPreview::stroke(Layer& l, const RegionRecord& r, double width) {
    if (l.run != width) {
        closeRun(l);
        text(l)
            .append("<g fill=\"none\" stroke=\"")
            .append(l.colour)
            .append("\" stroke-linecap=\"round\" stroke-width=\"");
        appendMicrons(text(l), width > 0 ? width : 100);
        text(l).append("\">\n");
        l.run = width;
    }
    // Most records of a board are these: the element is made in one buffer, appended once.
    char buf[64 + 4 * (kNumtextRoom + 8)];
    char* p = buf;
    auto put = [&p](std::string_view t) { p = std::copy(t.begin(), t.end(), p); };
    const bool fits =
        r.wholeNumbers || std::all_of(r.xyText.begin(), r.xyText.end(),
                                      [](std::string_view n) { return n.size() < kNumtextRoom; });
    if (fits) {
        put(r.kind == RecordKind::Track ? "<path class=\"track" : "<path class=\"line");
        if (width == 0) put("\" vector-effect=\"non-scaling-stroke");
        put("\" d=\"M");
        // Inlined, as the number writer it calls: a call cost as much as the writing.
        auto number = [&](size_t i, bool negate) __attribute__((always_inline)) {
            const std::string_view n = r.xyText[i];
            if (!r.wholeNumbers) return writeScaled(p, n, r.xy[i], negate);
            const bool minus = !n.empty() && n.front() == '-';
            return writeWholeScaled(p, n.substr(minus), minus != negate);
        };
        p = number(0, false);
        *p++ = ' ';
        p = number(1, true);
        *p++ = 'L';
        p = number(2, false);
        *p++ = ' ';
        p = number(3, true);
        put("\"/>\n");
        text(l).append(buf, static_cast<size_t>(p - buf));
    } else {
        strokeSlowly(l, r, width);
    }
    grow(r.xy[0], r.xy[1], width / 2, width / 2);
    grow(r.xy[2], r.xy[3], width / 2, width / 2);
}

void SvgPreview::strokeSlowly(Layer& l, const RegionRecord& r, double width) {
    text(l).append("<path class=\"").append(kindName(r.kind));
    if (width == 0) text(l).append("\" vector-effect=\"non-scaling-stroke");
    text(l).append("\" d=\"");
    appendPoint(text(l), 'M', r, 0);
    appendPoint(text(l), 'L', r, 1);
    text(l).append("\"/>\n");
}

void SvgPreview::polygon(Layer& l, const RegionRecord& r) {
    closeRun(l);
    text(l).append("<path class=\"").append(kindName(r.kind));
    if (r.kind == RecordKind::Zone) text(l).append("\" fill-opacity=\"0.5");
    text(l).append("\" d=\"");
    for (size_t i = 0; i < r.xy.size() / 2; ++i) {
        appendPoint(text(l), i == 0 ? 'M' : 'L', r, i);
        grow(r.xy[2 * i], r.xy[2 * i + 1]);
    }
    text(l).append("Z\"/>\n");
}

// Pads and vias: their style's outline placed at the centre.
void SvgPreview::place(Layer& l, const RegionRecord& r, const Def& d) {
    closeRun(l);
    text(l).append("<use class=\"").append(kindName(r.kind)).append("\" xlink:href=\"#s-");
    text(l).append(std::to_string(d.id)).append("\" x=\"");
    appendScaled(text(l), r.xyText[0], r.xy[0], false);
    text(l).append("\" y=\"");
    appendScaled(text(l), r.xyText[1], r.xy[1], true);
    text(l).append("\"/>\n");
    grow(r.xy[0], r.xy[1], d.hx, d.hy);
}

void SvgPreview::text(Layer& l, const RegionRecord& r) {
    closeRun(l);
    text(l).append("<text class=\"text\" transform=\"translate(");
    appendScaled(text(l), r.xyText[0], r.xy[0], false);
    text(l) += ' ';
    appendScaled(text(l), r.xyText[1], r.xy[1], true);
    text(l) += ')';
    // Rotation counter-clockwise in tenths of a degree; Y down turns it the other way.
    if (r.rotation != 0) {
        text(l).append(" rotate(");
        text(l).append(turnText_.of(-r.rotation / 10));
        text(l) += ')';
    }
    // Fonts are sized in thousandths: renderers make the font at its size before the scale,
    // and some fail at sizes of hundreds of thousands.
    text(l).append(r.mirror ? " scale(-25.4 25.4)" : " scale(25.4)");
    text(l).append("\" font-size=\"");
    text(l).append(sizeText_.of(r.height / 2540));
    text(l).append("\">");
    replaced_ += appendXml(text(l), r.text, false);
    text(l).append("</text>\n");
    // The box the text covers, roughly: along its direction, as high as its height.
    const double along = (r.width > 0 ? r.width : 0.6 * r.height) *
                         static_cast<double>(r.text.size()) * (r.mirror ? -1 : 1);
    // Texts of a board come in few directions.
    if (std::bit_cast<uint64_t>(r.rotation) != std::bit_cast<uint64_t>(turn_.rotation)) {
        turn_.rotation = r.rotation;
        cossind(r.rotation / 10, turn_.c, turn_.s);
    }
    const double c = turn_.c, s = turn_.s;
    const double x = r.xy[0], y = r.xy[1];
    grow(x, y);
    grow(x + along * c, y + along * s);
    grow(x - r.height * s, y + r.height * c);
    grow(x + along * c - r.height * s, y + along * s + r.height * c);
}

const std::string& SvgPreview::Spelling::of(double v) {
    if (std::bit_cast<uint64_t>(v) != std::bit_cast<uint64_t>(value) || text.empty()) {
        value = v;
        text = plainnum(v);
    }
    return text;
}

void SvgPreview::appendSummary(std::string& out) const {
    out.append("<!--\ndrawn:");
    for (size_t k = 0; k < kRecordKinds; ++k)
        out.append(k ? ", " : " ")
            .append(kindName(static_cast<RecordKind>(k)))
            .append(" ")
            .append(std::to_string(drawn_[k]));
    out.append("\nnot drawn:");
    bool any = false;
    for (size_t k = 0; k < kRecordKinds; ++k) {
        if (skipped_[k] == 0) continue;
        out.append(any ? ", " : " ")
            .append(kindName(static_cast<RecordKind>(k)))
            .append(" ")
            .append(std::to_string(skipped_[k]));
        any = true;
    }
    if (reader_.unknownCount() > 0) {
        out.append(any ? ", " : " ")
            .append("unknown ")
            .append(std::to_string(reader_.unknownCount()));
        any = true;
    }
    if (!any) out.append(" none");
    out += '\n';
    if (hairlines_ > 0)
        out.append("tracks drawn as hairlines (width not a number): ")
            .append(std::to_string(hairlines_))
            .append("\n");
    if (replaced_ > 0)
        out.append("characters XML does not allow, drawn as U+FFFD: ")
            .append(std::to_string(replaced_))
            .append("\n");
    for (const std::string& line : skippedLines_) {
        out.append("  ");
        appendXml(out, line, true);
        out += '\n';
    }
    for (const std::string& line : reader_.unknownLines()) {
        out.append("  unknown record: ");
        appendXml(out, line, true);
        out += '\n';
    }
    out.append("-->\n");
}

size_t SvgPreview::boxOffset() {
    return kRootStart.size();
}

std::string SvgPreview::box() const {
    double x0 = minX_, y0 = minY_, x1 = maxX_, y1 = maxY_;
    std::string out;
    // Nothing drawn, or a box too large for the slot: a square inch around the origin.
    bool inch = !(x0 <= x1 && y0 <= y1) || !std::isfinite(x1 - x0) || !std::isfinite(y1 - y0);
    for (;; inch = true) {
        if (inch) x0 = y0 = -254000, x1 = y1 = 254000;
        const double margin = std::max(254000.0, 0.03 * std::max(x1 - x0, y1 - y0));
        const double left = std::floor(x0 - margin), right = std::ceil(x1 + margin);
        const double bottom = std::floor(y0 - margin), top = std::ceil(y1 + margin);
        out.assign("width=\"");
        appendNum(out, std::round((right - left) / 100) / 1000);
        out.append("mm\" height=\"");
        appendNum(out, std::round((top - bottom) / 100) / 1000);
        out.append("mm\" viewBox=\"");
        appendMicrons(out, left);
        out += ' ';
        appendMicrons(out, -top);
        out += ' ';
        appendMicrons(out, right - left);
        out += ' ';
        appendMicrons(out, top - bottom);
        out += '"';
        if (out.size() <= kBoxRoom || inch) break;
    }
    out.resize(kBoxRoom, ' ');
    return out;
}

std::string SvgPreview::tail(const std::vector<std::string>& hidden) const {
    std::string out = "</defs>\n";
    for (const Layer& l : layers_) {
        if (std::find(hidden.begin(), hidden.end(), l.code) != hidden.end()) continue;
        out.append("<g id=\"").append(l.code).append("\" fill=\"").append(l.colour).append("\">\n");
        for (size_t i = 1; i <= l.parts; ++i)
            out.append("<use xlink:href=\"#")
                .append(l.code)
                .append(".")
                .append(std::to_string(i))
                .append("\"/>\n");
        out.append("</g>\n");
    }
    appendSummary(out);
    out.append("</svg>\n");
    return out;
}

std::string SvgPreview::document(const std::vector<std::string>& hidden) const {
    std::string out(kRootStart);
    out.append(box()).append(kRootEnd);
    for (const auto& [layer, text] : kept_)
        if (std::find(hidden.begin(), hidden.end(), layer) == hidden.end()) out.append(text);
    return out.append(tail(hidden));
}

std::string previewSvg(std::string_view regionText) {
    SvgPreview preview;
    preview.feed(regionText);
    preview.finish();
    return preview.document();
}

}  // namespace quorlin
