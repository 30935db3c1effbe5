#include "styles/aresstyles.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "util/number.h"
#include "util/text.h"

namespace quorlin {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
// No pad is 25 km wide: a length past this is a slip, and the extent of a polygon or a length in
// region units made of one stays finite.
constexpr double kMostThousandths = 1e9;

// Thousandths of an inch in one of each unit a style file may name.
double thousandthsPer(std::string_view unit, bool& known) {
    static const std::pair<std::string_view, double> kUnits[] = {
        {"", 1},          {"th", 1},           {"in", 1000}, {"mm", 1000 / 25.4},
        {"um", 1 / 25.4}, {"cm", 10000 / 25.4}};
    for (const auto& [name, factor] : kUnits) {
        known = equalsLowerAscii(unit, name);
        if (known) return factor;
    }
    return 0;
}

bool isLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

std::string_view trimmed(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
    return s;
}

// The fields of a line between its commas, each trimmed.
std::vector<std::string_view> commaFields(std::string_view line) {
    std::vector<std::string_view> fields;
    for (size_t from = 0;;) {
        const size_t comma = line.find(',', from);
        fields.push_back(trimmed(line.substr(from, comma - from)));
        if (comma == std::string_view::npos) return fields;
        from = comma + 1;
    }
}

// A size that may not be negative.
bool size(std::string_view text, double& th) {
    return aresLength(text, th) && th >= 0;
}

struct Kind {
    std::string_view keyword;
    AresPadKind kind;
};
constexpr Kind kKinds[] = {
    {"CPAD", AresPadKind::RoundThrough},   {"SPAD", AresPadKind::SquareThrough},
    {"DPAD", AresPadKind::ObroundThrough}, {"CSMPAD", AresPadKind::RoundSmd},
    {"RSMPAD", AresPadKind::RectangleSmd}, {"PSMPAD", AresPadKind::PolygonSmd},
    {"CVIA", AresPadKind::RoundVia},       {"SVIA", AresPadKind::SquareVia}};

// One pass over the lines. A polygon or a stack is kept once its "+" lines are read; stacks
// take their pads only at the end, as a layer may name a style written after it.
class Reader {
  public:
    explicit Reader(AresStyles& out) : out_(out) {}

    void line(std::string_view text) {
        text = trimmed(text);
        if (!text.empty() && text.front() == '+') return continuation(trimmed(text.substr(1)));
        close();
        if (text.empty()) return;
        if (text.front() == ';') {
            const std::string header = upperAscii(trimmed(text.substr(1)));
            if (header.ends_with("STYLES"))
                section_ = header == "PAD STYLES"     ? Section::Pads
                           : header == "TRACE STYLES" ? Section::Traces
                                                      : Section::Other;
            return;
        }
        if (text == "*") {
            section_ = Section::Any;
            return;
        }
        if (section_ == Section::Other || !record(commaFields(text))) ++out_.notUnderstood;
    }

    void finish() {
        close();
        for (auto& [name, layers] : stacks_) {
            const auto first = std::find_if(layers.pads.begin(), layers.pads.end(),
                                            [](std::string_view pad) { return !pad.empty(); });
            const auto pad = first == layers.pads.end() ? out_.pads.end() : out_.pads.find(*first);
            if (pad == out_.pads.end() || pad->second.stack || out_.pads.count(name)) {
                ++out_.notUnderstood;
                continue;
            }
            AresPadStyle style = pad->second;
            style.hole = layers.hole;
            style.relief = layers.relief;
            style.stack = true;
            out_.pads.emplace(name, std::move(style));
        }
    }

  private:
    enum class Section { Any, Pads, Traces, Other };
    enum class Open { None, Polygon, Stack, Broken };
    struct Stack {
        double hole = 0, relief = 0;
        std::vector<std::string> pads;
    };

    bool record(const std::vector<std::string_view>& f) {
        if (f[0].empty()) return false;
        const std::string name(f[0]);
        if (f.size() == 2 && section_ != Section::Pads) {
            double width = 0;
            return size(f[1], width) && out_.traces.emplace(name, width).second;
        }
        if (f.size() < 2 || section_ == Section::Traces) return false;
        const std::string keyword = upperAscii(f[1]);
        if (keyword == "STACK") return stack(name, f);
        const auto kind = std::find_if(std::begin(kKinds), std::end(kKinds),
                                       [&](const Kind& k) { return k.keyword == keyword; });
        if (kind == std::end(kKinds) || out_.pads.count(name) || stacks_.count(name)) return false;
        AresPadStyle style;
        style.kind = kind->kind;
        if (style.kind == AresPadKind::PolygonSmd) return polygon(name, f, std::move(style));
        if (f.size() < 5 || !size(f[2], style.a) || !size(f[3], style.b) ||
            !size(f[4], style.hole) || (f.size() > 5 && !size(f[5], style.guard)) ||
            (f.size() > 6 && !size(f[6], style.relief)))
            return false;
        out_.pads.emplace(name, std::move(style));
        return true;
    }

    // "name,PSMPAD,count,0,0,guard": the points follow.
    bool polygon(const std::string& name, const std::vector<std::string_view>& f,
                 AresPadStyle style) {
        double count = 0;
        if (f.size() < 3 || !strict(f[2], count) || count < 3 || count != std::floor(count) ||
            (f.size() > 5 && !size(f[5], style.guard)))
            return false;
        open_ = Open::Polygon;
        openName_ = name;
        polygon_ = std::move(style);
        polygonCount_ = static_cast<size_t>(std::min(count, 1e6));
        return true;
    }

    // "name,STACK,HOLE,hole,relief" (or without the word HOLE): the layers follow.
    bool stack(const std::string& name, const std::vector<std::string_view>& f) {
        const size_t at = f.size() > 2 && equalsLowerAscii(f[2], "hole") ? 3 : 2;
        Stack s;
        if (f.size() <= at || !size(f[at], s.hole) ||
            (f.size() > at + 1 && !size(f[at + 1], s.relief)) || out_.pads.count(name) ||
            stacks_.count(name))
            return false;
        open_ = Open::Stack;
        openName_ = name;
        stack_ = std::move(s);
        return true;
    }

    void continuation(std::string_view text) {
        if (open_ == Open::Polygon) {
            const std::vector<std::string_view> xy = commaFields(text);
            Vertex v{};
            if (xy.size() == 2 && aresLength(xy[0], v.x) && aresLength(xy[1], v.y)) {
                polygon_.points.push_back(v);
                return;
            }
            open_ = Open::Broken;
        } else if (open_ == Open::Stack) {
            stack_.pads.emplace_back(text);
            return;
        }
        // Past a broken record its record line counts for it, at its end.
        if (open_ != Open::Broken) ++out_.notUnderstood;
    }

    // Ends the record whose "+" lines were being read.
    void close() {
        if (open_ == Open::Polygon && polygon_.points.size() == polygonCount_) {
            double left = polygon_.points[0].x, right = left;
            double bottom = polygon_.points[0].y, top = bottom;
            for (const Vertex& v : polygon_.points) {
                left = std::min(left, v.x), right = std::max(right, v.x);
                bottom = std::min(bottom, v.y), top = std::max(top, v.y);
            }
            polygon_.a = right - left;
            polygon_.b = top - bottom;
            out_.pads.emplace(openName_, std::move(polygon_));
        } else if (open_ == Open::Stack && !stack_.pads.empty()) {
            stacks_.emplace(openName_, std::move(stack_));
        } else if (open_ != Open::None) {
            ++out_.notUnderstood;
        }
        open_ = Open::None;
        polygon_ = {};
        stack_ = {};
    }

    AresStyles& out_;
    Section section_ = Section::Any;
    Open open_ = Open::None;
    std::string openName_;
    AresPadStyle polygon_;
    size_t polygonCount_ = 0;
    Stack stack_;
    std::map<std::string, Stack> stacks_;
};

}  // namespace

bool aresLength(std::string_view text, double& thousandths) {
    text = trimmed(text);
    size_t digitsEnd = text.size();
    while (digitsEnd > 0 && isLetter(text[digitsEnd - 1])) --digitsEnd;
    bool known = false;
    const double factor = thousandthsPer(text.substr(digitsEnd), known);
    double value = 0;
    if (!known || !strict(trimmed(text.substr(0, digitsEnd)), value)) return false;
    thousandths = value * factor;
    return std::abs(thousandths) <= kMostThousandths;
}

AresStyles readAresStyles(std::string_view text) {
    AresStyles styles;
    if (text.starts_with(kByteOrderMark)) text.remove_prefix(kByteOrderMark.size());
    Reader reader(styles);
    forEachLine(text, [&](std::string_view line) { reader.line(line); });
    reader.finish();
    return styles;
}

}  // namespace quorlin
