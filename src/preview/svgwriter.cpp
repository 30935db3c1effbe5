#include "preview/svgwriter.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <limits>

#include "preview/layerlooks.h"
#include "preview/outlines.h"
#include "preview/styleshapes.h"
#include "preview/xmltext.h"
#include "util/basic.h"
#include "util/number.h"

namespace quorlin {

namespace {

constexpr size_t kKeptLines = 8;
constexpr std::string_view kRootStart =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    "<svg xmlns=\"http://www.w3.org/2000/svg\" xmlns:xlink=\"http://www.w3.org/1999/xlink\" "
    "version=\"1.1\" ";
constexpr std::string_view kRootEnd =
    " font-family=\"DejaVu Sans, Arial, sans-serif\">\n"
    "<!-- Board preview drawn from a region file: units of 1 um (100 region units), Y up. -->\n";
// The size and viewBox of any board within a million kilometres of the origin fit in this many
// characters; a box that does not is drawn as a square inch around the origin.
constexpr size_t kBoxMost = 160;
// Lines are drawn 5 thousandths wide, tracks as wide as their style says.
constexpr double kLineThousandths = 5;
// What a record of no known style is drawn as: a track this wide, a pad or via as a hollow square
// this large with a cross (stroked in the layer's colour where it is placed).
constexpr double kGuessedTrackThousandths = 2;
constexpr double kMarkerThousandths = 20;
constexpr std::string_view kMarker =
    "<path id=\"unknown\" fill=\"none\" stroke-width=\"50.8\" "
    "d=\"M-254 -254H254V254H-254ZM-254 -254L254 254M-254 254L254 -254\"/>\n";

bool usableId(std::string_view code) {
    if (code.empty() || !std::isalpha(static_cast<unsigned char>(code[0]))) return false;
    return std::all_of(code.begin(), code.end(), [](char c) {
        return std::isalnum(static_cast<unsigned char>(c)) || c == '_';
    });
}

}  // namespace

SvgPreview::SvgPreview(std::string& out, const AresStyles* styles)
    : out_(out),
      styles_(styles),
      minX_(std::numeric_limits<double>::infinity()),
      minY_(minX_),
      maxX_(-minX_),
      maxY_(-minX_) {}

const SvgPreview::Layer* SvgPreview::layer(std::string_view code) {
    for (const Layer& l : layers_)
        if (l.code == code) return &l;
    // Layers are added by the survey alone: a drawing pass holds one of them.
    if (drawing_ || !usableId(code) || layers_.size() == kMostLayers) return nullptr;
    const LayerLook look = layerLook(code);
    layers_.push_back({std::string(code), look.colour, look.order});
    return &layers_.back();
}

const SvgPreview::Def& SvgPreview::def(std::string_view style) {
    if (const auto known = defs_.find(style); known != defs_.end()) return known->second;
    // A style the survey did not meet (the file changed between the passes) has no outline.
    static const Def kNone;
    if (drawing_) return kNone;
    Def& d = defs_[std::string(style)];
    if (Outline o; styleOutline(styles_, style, o)) {
        outlined_.emplace_back(style);
        d = {outlined_.size(), o.hx, o.hy};
    }
    return d;
}

// Tracks come in runs of one style: its width is read once a run. 0 when the name gives none.
double SvgPreview::trackWidth(std::string_view style) {
    if (style != lastStyle_) {
        lastStyle_.assign(style);
        if (!styleTrackWidth(styles_, style, lastWidth_)) lastWidth_ = 0;
    }
    return lastWidth_;
}

// The one place that judges whether a record can be drawn.
std::string_view SvgPreview::problem(const RegionRecord& r) {
    if (r.kind == RecordKind::Area) return area_.empty() ? "" : "more than one area";
    if (r.kind == RecordKind::Pad && r.layer.empty()) return "no layer";
    if (!layer(r.layer)) {
        return usableId(r.layer) ? "more than 64 layers" : "layer code not usable";
    }
    switch (r.kind) {
        case RecordKind::Zone:
        case RecordKind::Path:
            return r.xy.empty() ? "no points" : "";
        case RecordKind::Text:
            return r.height > 0 ? "" : "text height not positive";
        case RecordKind::Via:
        case RecordKind::Pad:
        case RecordKind::Track:
        case RecordKind::Line:
        case RecordKind::Box:
        case RecordKind::Area:
            break;
    }
    return "";
}

void SvgPreview::survey(const RegionRecord& r) {
    if (const std::string_view reason = problem(r); !reason.empty()) return skip(r, reason);
    const size_t kind = static_cast<size_t>(r.kind);
    ++drawn_[kind];
    double width = toRegionUnits(kLineThousandths);
    switch (r.kind) {
        case RecordKind::Track:
            width = toRegionUnits(trackWidth(r.style));
            if (width == 0) {
                ++guessed_[kind];
                width = toRegionUnits(kGuessedTrackThousandths);
            }
            for (size_t i = 0; i + 1 < r.xy.size(); i += 2)
                grow(r.xy[i], r.xy[i + 1], width / 2, width / 2);
            break;
        case RecordKind::Line:
        case RecordKind::Box:
            grow(r.xy[0], r.xy[1], width / 2, width / 2);
            grow(r.xy[2], r.xy[3], width / 2, width / 2);
            break;
        case RecordKind::Area:
            area_ = r.xy;
            grow(r.xy[0], r.xy[1]);
            grow(r.xy[2], r.xy[3]);
            break;
        case RecordKind::Zone:
        case RecordKind::Path:
            for (size_t i = 0; i + 1 < r.xy.size(); i += 2) grow(r.xy[i], r.xy[i + 1]);
            break;
        case RecordKind::Via:
        case RecordKind::Pad: {
            const Def& d = def(r.style);
            const double half = toRegionUnits(kMarkerThousandths) / 2;
            if (d.id == 0) ++guessed_[kind];
            grow(r.xy[0], r.xy[1], d.id ? d.hx : half, d.id ? d.hy : half);
            break;
        }
        case RecordKind::Text:
            growText(r);
            break;
    }
}

void SvgPreview::surveyed(const RegionReader& reader) {
    unknown_ = reader.unknownCount();
    unknownLines_ = reader.unknownLines();
    std::vector<Layer> sorted = layers_;
    std::stable_sort(sorted.begin(), sorted.end(),
                     [](const Layer& a, const Layer& b) { return a.order < b.order; });
    for (const Layer& l : sorted) order_.push_back(l.code);
}

void SvgPreview::grow(double x, double y, double hx, double hy) {
    minX_ = std::min(minX_, x - hx);
    maxX_ = std::max(maxX_, x + hx);
    minY_ = std::min(minY_, y - hy);
    maxY_ = std::max(maxY_, y + hy);
}

// The box the text covers, roughly: along its direction, as high as its height.
void SvgPreview::growText(const RegionRecord& r) {
    const double along = (r.width > 0 ? r.width : 0.6 * r.height) *
                         static_cast<double>(r.text.size()) * (r.mirror ? -1 : 1);
    double c, s;
    cossind(r.rotation / 10, c, s);
    const double x = r.xy[0], y = r.xy[1];
    grow(x, y);
    grow(x + along * c, y + along * s);
    grow(x - r.height * s, y + r.height * c);
    grow(x + along * c - r.height * s, y + along * s + r.height * c);
}

void SvgPreview::skip(const RegionRecord& r, std::string_view reason) {
    ++skipped_[static_cast<size_t>(r.kind)];
    if (skippedLines_.size() < kKeptLines)
        skippedLines_.push_back(std::string(reason).append(": ").append(r.line));
}

void SvgPreview::begin() {
    out_.append(kRootStart).append(box()).append(kRootEnd).append("<defs>\n");
}

bool SvgPreview::moreOutlines() {
    if (written_ > outlined_.size()) return false;
    for (const size_t last = std::min(written_ + 1000, outlined_.size()); written_ < last;) {
        const size_t id = ++written_;
        Outline o;
        styleOutline(styles_, outlined_[id - 1], o);
        out_.append("<path id=\"s-");
        appendCount(out_, id);
        out_.append("\" fill-rule=\"evenodd\" d=\"").append(o.d).append("\"/>\n");
    }
    if (written_ < outlined_.size()) return true;
    if (guessed_[static_cast<size_t>(RecordKind::Pad)] +
        guessed_[static_cast<size_t>(RecordKind::Via)])
        out_.append(kMarker);
    out_.append("</defs>\n");
    area();
    ++written_;
    return true;
}

// The region's extent: a thin dashed outline beneath the layers, its dashes scaled to the board.
void SvgPreview::area() {
    if (area_.empty()) return;
    const double span = std::max(std::fabs(area_[2] - area_[0]), std::fabs(area_[3] - area_[1]));
    const double width = std::max(span / 500, toRegionUnits(1));
    out_.append("<path class=\"area\" fill=\"none\" stroke=\"#808080\" stroke-width=\"");
    appendMicrometres(out_, width);
    out_.append("\" stroke-dasharray=\"");
    appendMicrometres(out_, 6 * width);
    out_ += ' ';
    appendMicrometres(out_, 4 * width);
    out_.append("\" d=\"");
    corners(area_);
    out_.append("\"/>\n");
}

// A rectangle's path from two opposite corners (x0 y0 x1 y1), closed.
void SvgPreview::corners(const std::vector<double>& xy) {
    const double x[] = {xy[0], xy[2], xy[2], xy[0]}, y[] = {xy[1], xy[1], xy[3], xy[3]};
    for (size_t i = 0; i < 4; ++i) {
        out_ += i ? 'L' : 'M';
        appendMicrometres(out_, x[i]);
        out_ += ' ';
        appendMicrometres(out_, -y[i]);
    }
    out_ += 'Z';
}

void SvgPreview::beginLayer(const std::string& code) {
    drawing_ = layer(code);
    out_.append("<g id=\"").append(code).append("\" fill=\"").append(drawing_->colour);
    out_.append("\">\n");
}

void SvgPreview::endLayer() {
    closeRun();
    out_.append("</g>\n");
    drawing_ = nullptr;
}

void SvgPreview::closeRun() {
    if (run_ < 0) return;
    out_.append("</g>\n");
    run_ = -1;
}

// The one place that turns a record into a drawing.
void SvgPreview::draw(const RegionRecord& r) {
    if (!drawing_ || r.layer != drawing_->code || !problem(r).empty()) return;
    switch (r.kind) {
        case RecordKind::Track: {
            const double width = toRegionUnits(trackWidth(r.style));
            stroke(r, width > 0 ? width : toRegionUnits(kGuessedTrackThousandths), width == 0);
            break;
        }
        case RecordKind::Box:
            openRun(toRegionUnits(kLineThousandths));
            out_.append("<path class=\"box\" d=\"");
            corners(r.xy);
            out_.append("\"/>\n");
            break;
        case RecordKind::Area:
            break;
        case RecordKind::Line:
            stroke(r, toRegionUnits(kLineThousandths));
            break;
        case RecordKind::Zone:
        case RecordKind::Path:
            polygon(r);
            break;
        case RecordKind::Via:
        case RecordKind::Pad:
            place(r, def(r.style));
            break;
        case RecordKind::Text:
            text(r);
            break;
    }
}

// Places are written as the region file has them, in micrometres; Y is negated (Y down in SVG).
void SvgPreview::appendPlace(const RegionRecord& r, size_t i, std::string_view between) {
    appendMicrometresOfText(out_, r.xyText[2 * i], r.xy[2 * i], false);
    out_.append(between);
    appendMicrometresOfText(out_, r.xyText[2 * i + 1], r.xy[2 * i + 1], true);
}

void SvgPreview::appendPoint(char command, const RegionRecord& r, size_t i) {
    out_ += command;
    appendPlace(r, i, " ");
}

// Strokes of one width share a group that gives the stroke.
void SvgPreview::openRun(double width) {
    if (run_ == width) return;
    closeRun();
    out_.append("<g fill=\"none\" stroke=\"")
        .append(drawing_->colour)
        .append("\" stroke-linecap=\"round\" stroke-width=\"");
    appendMicrometres(out_, width);
    out_.append("\">\n");
    run_ = width;
}

// Tracks and lines: a path through their points; a track of several segments joins them round.
void SvgPreview::stroke(const RegionRecord& r, double width, bool guessed) {
    openRun(width);
    out_.append("<path class=\"").append(kindName(r.kind));
    if (guessed) out_.append(" unknown");
    if (r.xy.size() > 4) out_.append("\" stroke-linejoin=\"round");
    out_.append("\" d=\"");
    appendPoint('M', r, 0);
    for (size_t i = 1; i < r.xy.size() / 2; ++i) appendPoint('L', r, i);
    out_.append("\"/>\n");
}

void SvgPreview::polygon(const RegionRecord& r) {
    closeRun();
    out_.append("<path class=\"").append(kindName(r.kind));
    if (r.kind == RecordKind::Zone) out_.append("\" fill-opacity=\"0.5");
    out_.append("\" d=\"");
    for (size_t i = 0; i < r.xy.size() / 2; ++i) appendPoint(i == 0 ? 'M' : 'L', r, i);
    out_.append("Z\"/>\n");
}

// Pads and vias: their style's outline placed at the centre, or the marker of no known style.
void SvgPreview::place(const RegionRecord& r, const Def& d) {
    closeRun();
    out_.append("<use class=\"").append(kindName(r.kind));
    if (d.id == 0) {
        out_.append(" unknown\" stroke=\"").append(drawing_->colour);
        out_.append("\" xlink:href=\"#unknown");
    } else {
        out_.append("\" xlink:href=\"#s-");
        appendCount(out_, d.id);
    }
    out_.append("\" x=\"");
    appendPlace(r, 0, "\" y=\"");
    out_.append("\"/>\n");
}

void SvgPreview::text(const RegionRecord& r) {
    closeRun();
    out_.append("<text class=\"text\" transform=\"translate(");
    appendPlace(r, 0, " ");
    out_ += ')';
    // Rotation counter-clockwise in tenths of a degree; Y down turns it the other way.
    if (r.rotation != 0) {
        out_.append(" rotate(");
        out_ += plainnum(-r.rotation / 10);
        out_ += ')';
    }
    // Fonts are sized in thousandths: renderers make the font at its size before the scale,
    // and some fail at sizes of hundreds of thousands.
    out_.append(r.mirror ? " scale(-25.4 25.4)" : " scale(25.4)");
    out_.append("\" font-size=\"");
    out_ += plainnum(toThousandths(r.height));
    out_.append("\">");
    replaced_ += appendXml(out_, r.text, false);
    out_.append("</text>\n");
}

std::string SvgPreview::box() const {
    double x0 = minX_, y0 = minY_, x1 = maxX_, y1 = maxY_;
    std::string out;
    // Nothing drawn, or a box too large: a square inch around the origin.
    bool inch = !(x0 <= x1 && y0 <= y1) || !std::isfinite(x1 - x0) || !std::isfinite(y1 - y0);
    for (;; inch = true) {
        if (inch) x0 = y0 = -toRegionUnits(100), x1 = y1 = toRegionUnits(100);
        const double margin = std::max(toRegionUnits(100), 0.03 * std::max(x1 - x0, y1 - y0));
        const double left = std::floor(x0 - margin), right = std::ceil(x1 + margin);
        const double bottom = std::floor(y0 - margin), top = std::ceil(y1 + margin);
        out.assign("width=\"");
        out += plainnum(std::round((right - left) / 100) / 1000);
        out.append("mm\" height=\"");
        out += plainnum(std::round((top - bottom) / 100) / 1000);
        out.append("mm\" viewBox=\"");
        appendMicrometres(out, left);
        out += ' ';
        appendMicrometres(out, -top);
        out += ' ';
        appendMicrometres(out, right - left);
        out += ' ';
        appendMicrometres(out, top - bottom);
        out += '"';
        if (out.size() <= kBoxMost || inch) return out;
    }
}

void SvgPreview::end() {
    out_.append(summary()).append("</svg>\n");
}

std::string SvgPreview::summary() const {
    std::string out = "<!--\ndrawn:";
    // Boxes and areas are named only when there are some, as files of this converter have none.
    for (size_t k = 0; k < kRecordKinds; ++k)
        if (k <= static_cast<size_t>(RecordKind::Text) || drawn_[k] > 0)
            out.append(k ? ", " : " ")
                .append(kindName(static_cast<RecordKind>(k)))
                .append(" ")
                .append(countText(drawn_[k]));
    // The kinds with a count, after head; whether there was one.
    auto listCounts = [&](const std::array<size_t, kRecordKinds>& counts, std::string_view head) {
        bool any = false;
        for (size_t k = 0; k < kRecordKinds; ++k) {
            if (counts[k] == 0) continue;
            out.append(any ? ", " : head)
                .append(kindName(static_cast<RecordKind>(k)))
                .append(" ")
                .append(countText(counts[k]));
            any = true;
        }
        return any;
    };
    out.append("\nnot drawn:");
    bool any = listCounts(skipped_, " ");
    if (unknown_ > 0) {
        out.append(any ? ", " : " ").append("unknown ").append(countText(unknown_));
        any = true;
    }
    if (!any) out.append(" none");
    out += '\n';
    if (listCounts(guessed_, "drawn with a guessed shape (no known style): ")) out += '\n';
    if (replaced_ > 0)
        out.append("characters XML does not allow, drawn as U+FFFD: ")
            .append(countText(replaced_))
            .append("\n");
    for (const std::string& line : skippedLines_) {
        out.append("  ");
        appendXml(out, line, true);
        out += '\n';
    }
    for (const std::string& line : unknownLines_) {
        out.append("  unknown record: ");
        appendXml(out, line, true);
        out += '\n';
    }
    return out.append("-->\n");
}

}  // namespace quorlin
