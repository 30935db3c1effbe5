#include "region/regionreader.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <span>

#include "util/text.h"

namespace quorlin {

std::string_view kindName(RecordKind kind) {
    static constexpr std::string_view kNames[kRecordKinds] = {"track", "via",  "pad", "zone",
                                                              "path",  "line", "text"};
    return kNames[static_cast<size_t>(kind)];
}

namespace {

bool number(std::string_view text, double& out) {
    // Most numbers of a region file are whole: read those here, the rest by the library.
    if (!text.empty() && text.size() <= 16) {
        size_t i = text[0] == '-' ? 1 : 0;
        int64_t v = 0;
        for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
            v = v * 10 + (text[i] - '0');
        if (i == text.size() && text.size() > (text[0] == '-' ? 1u : 0u)) {
            out = static_cast<double>(text[0] == '-' ? -v : v);
            return true;
        }
    }
    const char* end = text.data() + text.size();
    const auto r = std::from_chars(text.data(), end, out);
    return r.ec == std::errc() && r.ptr == end && std::isfinite(out);
}

constexpr uint64_t kPowersOfTen[9] = {1,      10,      100,      1000,     10000,
                                      100000, 1000000, 10000000, 100000000};

// The value of the n digits (1 to 8) at the start of the eight bytes x; false when one of
// them is no digit.
bool eightDigits(uint64_t x, size_t n, uint64_t& value) {
    // A byte that is no digit: its high half is not 3, or its low half is over 9.
    const uint64_t bad = ((x & 0xF0F0F0F0F0F0F0F0) ^ 0x3030303030303030) |
                         (((x & 0x0F0F0F0F0F0F0F0F) + 0x0606060606060606) & 0xF0F0F0F0F0F0F0F0);
    // The bytes past the digits are shifted out; the digits move to the top, zeros before them,
    // and are summed in pairs, fours and eights.
    const auto past = static_cast<int>(8 * (8 - n));
    if ((bad << past) != 0) return false;
    uint64_t d = (x - 0x3030303030303030) << past;
    d = d * 10 + (d >> 8);
    value = (((d & 0x000000FF000000FF) * (100 + (1000000ULL << 32))) +
             (((d >> 16) & 0x000000FF000000FF) * (1 + (10000ULL << 32)))) >>
            32;
    return true;
}

// Up to 16 digits (as many as number() reads exactly) at p, one at a time, their value in v;
// returns their end. For the few numbers too near the end of the text to take eight at once.
const char* readDigits(const char* p, const char* readable, int64_t& v) {
    const char* const start = p;
    v = 0;
    for (; p - start < 16 && p != readable && *p >= '0' && *p <= '9'; ++p) v = v * 10 + (*p - '0');
    return p;
}

// Hands fn each field (a run of bytes that are no blanks) of the size bytes at p, size under 64
// and 64 readable there: their bounds come from one mask of the blanks. False when fn refuses a
// field (returns false).
template <typename Fn>
bool forEachShortField(const char* p, size_t size, Fn&& fn) {
    const uint64_t solid = ~detail::blankBits(p) & ((uint64_t{1} << size) - 1);
    uint64_t starts = solid & ~(solid << 1), lasts = solid & ~(solid >> 1);
    for (; starts != 0; starts &= starts - 1, lasts &= lasts - 1) {
        const int from = std::countr_zero(starts), to = std::countr_zero(lasts);
        if (!fn(std::string_view(p + from, static_cast<size_t>(to - from + 1)))) return false;
    }
    return true;
}

std::string_view trimmed(std::string_view s) {
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    return s;
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
        partialLine();
        size_t next = first + 1;
        if (whole[first] == '\r' && next < whole.size() && whole[next] == '\n') ++next;
        whole.remove_prefix(next);
    }
    readable_ = text.data() + text.size();
    forEachLine(whole, [this](std::string_view l) { line(l); });
    partial_.assign(text.substr(end + 1));
}

// The line gathered from several feeds, with bytes after it that the digit reader may read.
void RegionReader::partialLine() {
    const size_t size = partial_.size();
    partial_.append(8, '\0');
    readable_ = partial_.data() + partial_.size();
    line(std::string_view(partial_).substr(0, size));
    partial_.clear();
}

void RegionReader::finish() {
    if (!partial_.empty()) partialLine();
    lastWasCr_ = false;
}

void RegionReader::unknown(std::string_view line) {
    ++unknown_;
    if (unknownLines_.size() < kKeptLines) unknownLines_.emplace_back(line);
}

void RegionReader::line(std::string_view text) {
    const std::string_view t = trimmed(text);
    if (t.empty()) return;
    if (t.front() == '*') {
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
            unknown(text);
        }
        return;
    }
    if (!record(text)) unknown(text);
}

// Inlined: it runs four times a track, and its call cost as much as its work.
[[gnu::always_inline]] inline bool RegionReader::readNumber(std::string_view text, double& v,
                                                            bool& whole) const {
    const bool minus = !text.empty() && text.front() == '-';
    const char* const digits = text.data() + minus;
    const size_t n = text.size() - minus;
    // Up to 16 digits: what number() reads exactly. Their count known, they are taken eight
    // at a time where sixteen bytes can be read.
    uint64_t units = 0;
    if (n >= 1 && n <= 16 && readable_ - digits >= 16) {
        uint64_t first, second, low = 0;
        std::memcpy(&first, digits, 8);
        std::memcpy(&second, digits + 8, 8);
        whole = n <= 8 ? eightDigits(first, n, units)
                       : eightDigits(first, 8, units) && eightDigits(second, n - 8, low);
        if (n > 8) units = units * kPowersOfTen[n - 8] + low;
    } else {
        int64_t read;
        const char* stop = readDigits(digits, readable_, read);
        whole = stop != digits && stop == text.data() + text.size();
        units = static_cast<uint64_t>(read);
    }
    if (whole) {
        const auto value = static_cast<int64_t>(units);
        v = static_cast<double>(minus ? -value : value);
        return true;
    }
    return number(text, v);
}

bool RegionReader::numbers(size_t from, size_t count) {
    if (from + count > count_) return false;
    for (size_t i = from; i < from + count; ++i) {
        double v;
        bool whole;
        if (tokens_[i].quoted || !readNumber(tokens_[i].text, v, whole)) return false;
        rec_.wholeNumbers = rec_.wholeNumbers && whole;
        rec_.xy.push_back(v);
        rec_.xyText.push_back(tokens_[i].text);
    }
    return true;
}

// A vertex count at countAt and as many x y pairs after it.
bool RegionReader::polygon(size_t countAt) {
    double n;
    // A polygon of no points is a record the writers write; the drawing skips it.
    if (countAt >= count_ || !number(tokens_[countAt].text, n) || n < 0 || n != std::floor(n) ||
        n > static_cast<double>(count_))
        return false;
    return numbers(countAt + 1, 2 * static_cast<size_t>(n));
}

// Most lines of a file are the tracks of *LAYER sections: one of the plain form (a quoted style,
// then six unquoted fields) is read here without the general split, which reads any other form.
// False when the line is not of that form; known tells whether it is a track.
bool RegionReader::plainTrack(std::string_view line, bool& known) {
    const char* p = line.data();
    const char* const end = p + line.size();
    while (p != end && (*p == ' ' || *p == '\t')) ++p;
    if (p == end || *p != '"') return false;
    const auto* close = static_cast<const char*>(std::memchr(p + 1, '"', size_t(end - p - 1)));
    if (!close) return false;
    const std::string_view style(p + 1, size_t(close - p - 1));
    const char* const rest = close + 1;
    const auto size = static_cast<size_t>(end - rest);
    std::array<std::string_view, 6> fields;
    size_t n = 0;
    // A field that starts with a quote makes the line one of another form.
    auto take = [&](std::string_view f) {
        if (n == 6 || f.front() == '"') return false;
        fields[n++] = f;
        return true;
    };
    if (size < 64 && readable_ - rest >= 64) {
        if (!forEachShortField(rest, size, take) || n != 6) return false;
    } else {
        for (const char* q = rest;;) {
            while (q != end && (*q == ' ' || *q == '\t')) ++q;
            if (q == end) break;
            const char* const start = q;
            while (q != end && *q != ' ' && *q != '\t') ++q;
            if (!take(std::string_view(start, size_t(q - start)))) return false;
        }
        if (n != 6) return false;
    }
    known = fields[0] == "S";
    if (!known) return true;
    // Sized once: a track's four numbers are set in place.
    if (rec_.xy.size() != 4) {
        rec_.xy.resize(4);
        rec_.xyText.resize(4);
    }
    bool whole = true;
    for (size_t f = 0; f < 4; ++f) {
        bool wholeOne;
        if (!readNumber(fields[f + 2], rec_.xy[f], wholeOne)) return known = false, true;
        whole = whole && wholeOne;
        rec_.xyText[f] = fields[f + 2];
    }
    rec_.wholeNumbers = whole;
    rec_.kind = RecordKind::Track;
    rec_.style = style;
    rec_.shape = {};
    rec_.layer = layer_;
    rec_.line = line;
    sink_(rec_);
    return true;
}

bool RegionReader::record(std::string_view line) {
    if (bool known = false; section_ == Section::Layer && plainTrack(line, known)) return known;
    // The token table only grows: a record of the usual few fields costs no allocation.
    count_ = 0;
    auto add = [this](std::string_view text, bool quoted) {
        if (count_ == tokens_.size()) tokens_.resize(2 * count_ + 16);
        tokens_[count_++] = {text, quoted};
    };
    size_t i = 0;
    // The unquoted fields before the first quote, up to the field it stands in, found at once.
    const size_t quote = line.find('"');
    size_t plain = quote == std::string_view::npos ? line.size() : quote;
    if (quote != std::string_view::npos)
        while (plain > 0 && line[plain - 1] != ' ' && line[plain - 1] != '\t') --plain;
    if (plain < 64 && readable_ - line.data() >= 64) {
        forEachShortField(line.data(), plain, [&](std::string_view f) {
            add(f, false);
            return true;
        });
        i = plain;
    }
    while (i < line.size()) {
        if (line[i] == ' ' || line[i] == '\t') {
            ++i;
        } else if (line[i] == '"') {
            const size_t close = line.find('"', i + 1);
            if (close == std::string_view::npos) return false;
            add(line.substr(i + 1, close - i - 1), true);
            i = close + 1;
        } else {
            size_t j = i;
            while (j < line.size() && line[j] != ' ' && line[j] != '\t') ++j;
            add(line.substr(i, j - i), false);
            i = j;
        }
    }
    rec_.xy.clear();
    rec_.xyText.clear();
    rec_.wholeNumbers = true;
    rec_.line = line;
    rec_.style = rec_.shape = {};
    const std::span<const Token> t(tokens_.data(), count_);
    switch (section_) {
        case Section::None:
            return line == "ARES REGION FILE";
        case Section::Header:
            return !t.empty() && (t[0].text == "VERSION" || t[0].text == "UNITS");
        case Section::Vias:
            if (t.size() != 6 || !t[0].quoted || !numbers(2, 2)) return false;
            rec_.kind = RecordKind::Via;
            rec_.style = t[0].text;
            rec_.layer = t[1].text;
            break;
        case Section::Layer:
            if (t.size() != 7 || !t[0].quoted || t[1].text != "S" || !numbers(3, 4)) return false;
            rec_.kind = RecordKind::Track;
            rec_.style = t[0].text;
            rec_.layer = layer_;
            break;
        case Section::Objects:
            if (!objectRecord()) return false;
            break;
    }
    sink_(rec_);
    return true;
}

bool RegionReader::objectRecord() {
    const std::span<const Token> t(tokens_.data(), count_);
    if (t.size() < 4) return false;
    if (t[0].text == "GRAPHIC" && !t[0].quoted) {
        rec_.layer = t[1].text;
        const std::string_view type = t[2].text;
        if (type == "LINE") {
            rec_.kind = RecordKind::Line;
            return t.size() == 8 && numbers(4, 4);
        }
        if (type == "PATH") {
            rec_.kind = RecordKind::Path;
            return polygon(3) && rec_.xy.size() + 4 == t.size();
        }
        if (type == "TEXT") {
            rec_.kind = RecordKind::Text;
            // A text without a rotation code of its own has neither rotation nor mirror fields.
            const bool turned = t.size() == 11;
            if ((!turned && t.size() != 9) || !t.back().quoted || !numbers(3, 2)) return false;
            double mirror = 0;
            rec_.rotation = 0;
            if (turned && (!number(t[5].text, rec_.rotation) || !number(t[6].text, mirror)))
                return false;
            const size_t size = turned ? 7 : 5;
            if (!number(t[size].text, rec_.height) || !number(t[size + 1].text, rec_.width))
                return false;
            rec_.mirror = mirror != 0;
            rec_.text = t.back().text;
            return true;
        }
        return false;
    }
    if (t[0].text == "ZONE" && !t[0].quoted) {
        rec_.kind = RecordKind::Zone;
        rec_.layer = t[1].text;
        rec_.style = t[3].text;
        return t[3].quoted && polygon(4) && rec_.xy.size() + 9 == t.size();
    }
    if (t[0].text == "PAD" && !t[0].quoted) {
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

}  // namespace quorlin
