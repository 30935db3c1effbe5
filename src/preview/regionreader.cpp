#include "preview/regionreader.h"

#include <cmath>

#include "util/number.h"
#include "util/text.h"

namespace quorlin {

std::string_view kindName(RecordKind kind) {
    static constexpr std::string_view kNames[kRecordKinds] = {
        "track", "via", "pad", "zone", "path", "line", "text", "box", "area"};
    return kNames[static_cast<size_t>(kind)];
}

namespace {

std::string_view trimmed(std::string_view s) {
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    return s;
}

// True when field stands in line between blanks, quotes or the line's ends.
bool holdsField(std::string_view line, std::string_view field) {
    auto edge = [&](size_t at) { return line[at] == ' ' || line[at] == '\t' || line[at] == '"'; };
    for (size_t at = line.find(field); at != std::string_view::npos;
         at = line.find(field, at + 1)) {
        const size_t end = at + field.size();
        if ((at == 0 || edge(at - 1)) && (end == line.size() || edge(end))) return true;
    }
    return false;
}

}  // namespace

void RegionReader::feed(std::string_view text) {
    if (lastWasCr_ && !text.empty() && text.front() == '\n') text.remove_prefix(1);
    lastWasCr_ = false;
    const size_t end = text.find_last_of("\r\n");
    if (end == std::string_view::npos) {
        partial_.append(text);
        return;
    }
    lastWasCr_ = text[end] == '\r';
    std::string_view whole = text.substr(0, end + 1);
    if (!partial_.empty()) {
        const size_t first = whole.find_first_of("\r\n");
        partial_.append(whole.substr(0, first));
        line(partial_);
        partial_.clear();
        size_t next = first + 1;
        if (whole[first] == '\r' && next < whole.size() && whole[next] == '\n') ++next;
        whole.remove_prefix(next);
    }
    forEachLine(whole, [this](std::string_view l) { line(l); });
    partial_.assign(text.substr(end + 1));
}

void RegionReader::finish() {
    if (!partial_.empty()) line(partial_);
    partial_.clear();
    lastWasCr_ = false;
}

void RegionReader::unknown(std::string_view line) {
    ++unknown_;
    if (unknownLines_.size() < kKeptLines) unknownLines_.emplace_back(line);
}

void RegionReader::line(std::string_view text) {
    if (!started_ && text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
    started_ = true;
    const std::string_view t = trimmed(text);
    if (t.empty()) return;
    if (t.front() == '*') {
        if (!section(t)) unknown(text);
        return;
    }
    // A pass over one layer reads no line of another layer's section, nor a line in which its
    // code stands in no field.
    if (!onlyLayer_.empty() &&
        (section_ == Section::Layer ? layer_ != onlyLayer_ : !holdsField(text, onlyLayer_)))
        return;
    if (!record(text)) unknown(text);
}

bool RegionReader::section(std::string_view t) {
    if (t == "*HEADER") {
        section_ = Section::Header;
    } else if (t == "*OBJECTS") {
        section_ = Section::Objects;
    } else if (t == "*VIAS") {
        section_ = Section::Vias;
    } else if (t.substr(0, 7) == "*LAYER " && !trimmed(t.substr(7)).empty()) {
        section_ = Section::Layer;
        layer_ = trimmed(t.substr(7));
    } else if ((t == "*END_OBJECTS" && section_ == Section::Objects) ||
               (t == "*END_VIAS" && section_ == Section::Vias) ||
               (t == "*END_LAYER" && section_ == Section::Layer)) {
        section_ = Section::None;
    } else {
        return false;
    }
    return true;
}

// The line's fields: runs of bytes without blanks, or quoted texts (without their quotes).
// False when a quote is not closed.
bool RegionReader::split(std::string_view line) {
    tokens_.clear();
    for (size_t i = 0; i < line.size();) {
        if (line[i] == ' ' || line[i] == '\t') {
            ++i;
        } else if (line[i] == '"') {
            const size_t close = line.find('"', i + 1);
            if (close == std::string_view::npos) return false;
            tokens_.push_back({line.substr(i + 1, close - i - 1), true});
            i = close + 1;
        } else {
            size_t j = i;
            while (j < line.size() && line[j] != ' ' && line[j] != '\t') ++j;
            tokens_.push_back({line.substr(i, j - i), false});
            i = j;
        }
    }
    return true;
}

bool RegionReader::record(std::string_view line) {
    if (!split(line)) return false;
    rec_.xy.clear();
    rec_.xyText.clear();
    rec_.line = line;
    rec_.style = rec_.shape = {};
    bool known = false;
    switch (section_) {
        case Section::None:
            return line == "ARES REGION FILE";
        case Section::Header:
            if (!tokens_.empty() && tokens_[0].text == "AREA") {
                // The region's extent: drawn once, beneath every layer.
                rec_.kind = RecordKind::Area;
                rec_.layer = {};
                known = tokens_.size() == 5 && numbers(1, 4);
                break;
            }
            return !tokens_.empty() && (tokens_[0].text == "VERSION" || tokens_[0].text == "UNITS");
        case Section::Vias:
            known = via();
            break;
        case Section::Layer:
            known = track();
            break;
        case Section::Objects:
            known = object();
            break;
    }
    if (known && (onlyLayer_.empty() || rec_.layer == onlyLayer_)) sink_(rec_);
    return known;
}

// "style" layer x y 0 0
bool RegionReader::via() {
    if (tokens_.size() != 6 || !tokens_[0].quoted || !numbers(2, 2)) return false;
    rec_.kind = RecordKind::Via;
    rec_.style = tokens_[0].text;
    rec_.layer = tokens_[1].text;
    return true;
}

// "style" S n x0 y0 ... xn yn: n segments through n + 1 points, in the section of its layer.
bool RegionReader::track() {
    double n;
    if (tokens_.size() < 7 || !tokens_[0].quoted || tokens_[1].text != "S" ||
        !exactNumber(tokens_[2].text, n) || n < 1 || n != std::floor(n) ||
        2 * n + 5 != static_cast<double>(tokens_.size()) || !numbers(3, tokens_.size() - 3))
        return false;
    rec_.kind = RecordKind::Track;
    rec_.style = tokens_[0].text;
    rec_.layer = layer_;
    return true;
}

bool RegionReader::object() {
    const std::vector<Token>& t = tokens_;
    if (t.size() < 4 || t[0].quoted) return false;
    if (t[0].text == "GRAPHIC") {
        rec_.layer = t[1].text;
        const std::string_view type = t[2].text;
        if (type == "LINE") {
            rec_.kind = RecordKind::Line;
            return t.size() == 8 && graphicCount() && numbers(4, 4);
        }
        if (type == "BOX") return box();
        if (type == "PATH") {
            rec_.kind = RecordKind::Path;
            return polygon(3) && rec_.xy.size() + 4 == t.size();
        }
        return type == "TEXT" && text();
    }
    if (t[0].text == "ZONE") {
        rec_.kind = RecordKind::Zone;
        rec_.layer = t[1].text;
        rec_.style = t[3].text;
        return t[3].quoted && polygon(4) && rec_.xy.size() + 9 == t.size();
    }
    if (t[0].text == "PAD") {
        rec_.kind = RecordKind::Pad;
        if (!t[1].quoted || !t[2].quoted) return false;
        rec_.shape = t[1].text;
        rec_.style = t[2].text;
        // A pad whose layer text was empty has one field less.
        const bool layered = t.size() == 8;
        if (!layered && t.size() != 7) return false;
        rec_.layer = layered ? t[3].text : std::string_view{};
        return numbers(layered ? 4 : 3, 2);
    }
    return false;
}

// The count after a graphic's keyword: how many numbers follow it.
bool RegionReader::graphicCount() {
    double n;
    return exactNumber(tokens_[3].text, n) && n + 4 == static_cast<double>(tokens_.size());
}

// GRAPHIC layer BOX 5 x y r w h: the rectangle from (x, y) to (x + w, y + h). A box with
// rounded corners (r not 0) is not drawn as one, so it is not read as one.
bool RegionReader::box() {
    rec_.kind = RecordKind::Box;
    if (tokens_.size() != 9 || !graphicCount() || !numbers(4, 5) || rec_.xy[2] != 0) return false;
    const double x = rec_.xy[0], y = rec_.xy[1];
    rec_.xy = {x, y, x + rec_.xy[3], y + rec_.xy[4]};
    return std::isfinite(rec_.xy[2]) && std::isfinite(rec_.xy[3]);
}

// GRAPHIC layer TEXT x y [rotation mirror] height width font "text"
bool RegionReader::text() {
    const std::vector<Token>& t = tokens_;
    rec_.kind = RecordKind::Text;
    // A text without a rotation code of its own has neither rotation nor mirror fields.
    const bool turned = t.size() == 11;
    if ((!turned && t.size() != 9) || !t.back().quoted || !numbers(3, 2)) return false;
    double mirror = 0;
    rec_.rotation = 0;
    if (turned && (!exactNumber(t[5].text, rec_.rotation) || !exactNumber(t[6].text, mirror)))
        return false;
    const size_t size = turned ? 7 : 5;
    if (!exactNumber(t[size].text, rec_.height) || !exactNumber(t[size + 1].text, rec_.width))
        return false;
    rec_.mirror = mirror != 0;
    rec_.text = t.back().text;
    return true;
}

bool RegionReader::numbers(size_t from, size_t count) {
    if (from + count > tokens_.size()) return false;
    for (size_t i = from; i < from + count; ++i) {
        double v;
        if (tokens_[i].quoted || !exactNumber(tokens_[i].text, v)) return false;
        rec_.xy.push_back(v);
        rec_.xyText.push_back(tokens_[i].text);
    }
    return true;
}

// A vertex count at countAt and as many x y pairs after it.
bool RegionReader::polygon(size_t countAt) {
    double n;
    // A polygon of no points is a record the writers write; the drawing skips it.
    if (countAt >= tokens_.size() || !exactNumber(tokens_[countAt].text, n) || n < 0 ||
        n != std::floor(n) || n > static_cast<double>(tokens_.size()))
        return false;
    return numbers(countAt + 1, 2 * static_cast<size_t>(n));
}

}  // namespace quorlin
