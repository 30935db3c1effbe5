// Reads a region file back into plain records: what ARES will import, for the board preview.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace quorlin {

// Box: a graphic rectangle; Area: the header's extent of the region (no layer).
enum class RecordKind { Track, Via, Pad, Zone, Path, Line, Text, Box, Area };
inline constexpr size_t kRecordKinds = 9;
// "track", "via", "pad", "zone", "path", "line", "text", "box", "area".
std::string_view kindName(RecordKind kind);

// One record. The views point into the line the reader was given and live as long as it.
// Coordinates are region units (10 nm), Y up as in the file.
struct RegionRecord {
    RecordKind kind = RecordKind::Track;
    std::string_view layer;  // layer code; "" for a pad written without one
    std::string_view style;  // style name without its quotes (tracks, vias, pads, zones)
    std::string_view shape;  // a pad's first quoted field
    std::vector<double> xy;  // x, y, x, y, ...; a box's two corners
    std::vector<std::string_view> xyText;  // the same as written (a box: x, y, w, h)
    // Texts: rotation in tenths of a degree, mirrored, height and character width, the text.
    double rotation = 0;
    bool mirror = false;
    double height = 0, width = 0;
    std::string_view text;
    std::string_view line;  // the whole line
};

// Feeds records to a sink as lines arrive. Lines it does not know (outside any section, of a
// form no region writer writes, with a field that is not a number where one belongs) are
// counted and the first few kept, never dropped without a word.
class RegionReader {
  public:
    using Sink = std::function<void(const RegionRecord&)>;
    // With a layer, only the records of that layer reach the sink, and the lines of other
    // layers' sections are passed over unread (a pass that draws one layer).
    explicit RegionReader(Sink sink, std::string onlyLayer = {})
        : sink_(std::move(sink)), onlyLayer_(std::move(onlyLayer)) {}

    // Any cut of the file's text: a line split between two calls is joined.
    void feed(std::string_view text);
    // The last line, when the text did not end with a line end.
    void finish();

    size_t unknownCount() const { return unknown_; }
    // The first kKeptLines unknown lines.
    const std::vector<std::string>& unknownLines() const { return unknownLines_; }
    static constexpr size_t kKeptLines = 8;

  private:
    struct Token {
        std::string_view text;
        bool quoted;
    };
    void line(std::string_view line);
    bool section(std::string_view line);
    bool split(std::string_view line);
    bool record(std::string_view line);
    bool via();
    bool track();
    bool object();
    bool text();
    bool graphicCount();
    bool box();
    bool numbers(size_t from, size_t count);
    bool polygon(size_t countAt);
    void unknown(std::string_view line);

    enum class Section { None, Header, Objects, Vias, Layer };
    Sink sink_;
    std::string onlyLayer_;
    Section section_ = Section::None;
    std::string layer_;    // code of the open *LAYER section
    std::string partial_;  // a line not yet ended
    bool lastWasCr_ = false;
    bool started_ = false;  // a first line was met (a byte order mark before it is skipped)
    std::vector<Token> tokens_;
    RegionRecord rec_;
    size_t unknown_ = 0;
    std::vector<std::string> unknownLines_;
};

}  // namespace quorlin
