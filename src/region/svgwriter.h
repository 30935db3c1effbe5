// The board preview: a region file drawn as SVG, one group per layer, from the records ARES will
// import (not from the Tango source), so the converter's own mistakes show too.
#pragma once

#include <array>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "region/regionreader.h"

namespace quorlin {

// The document is written as the region file is read, whatever order its sections come in: each
// layer's records are gathered into parts of a few megabytes, and a full part goes out at once as
// a group in <defs> (id "<code>.<n>"). At the end every layer is drawn, in the layers' fixed
// order (bottom first), as a group with id = its code that uses its parts. The root tag's size
// and viewBox, known only at the end, stand in a fixed-length slot that is filled in last.
class SvgPreview {
  public:
    // Chunks of the document, in order, as soon as they are ready; the sink may take the text
    // (swap it away).
    using Sink = std::function<void(std::string&)>;

    // Keeps the drawing: document() serves it as often as asked.
    SvgPreview();
    // Streams the drawing into sink, starting with the root tag whose slot is blank: memory
    // stays at a part a layer whatever the size of the board. After finish(), box() is the
    // text to write at boxOffset().
    explicit SvgPreview(Sink sink);
    SvgPreview(const SvgPreview&) = delete;
    SvgPreview& operator=(const SvgPreview&) = delete;

    // Region file text, in any cuts.
    void feed(std::string_view regionText) { reader_.feed(regionText); }
    // Call once after the last feed.
    void finish();

    // Codes of the layers drawn, in drawing order (bottom first).
    std::vector<std::string> layers() const;
    // The whole document (of a preview that keeps its drawing); the layers named in hidden are
    // left out (the preview window's check boxes), everything else is the same.
    std::string document(const std::vector<std::string>& hidden = {}) const;

    // Where the root tag's slot starts, and its text once finished: the size and viewBox that
    // fit every drawn record, padded with blanks to the slot's fixed length.
    static size_t boxOffset();
    std::string box() const;

  private:
    struct Layer {
        std::string code;
        std::string_view colour;
        size_t order;
        std::string part;  // the part being gathered; "" before its first record
        size_t parts = 0;  // parts gone out
        double run = -1;   // stroke width of the open group of tracks or lines; -1 none
    };
    struct Def {
        size_t id = 0;  // 0: the style name gives no shape
        double hx = 0, hy = 0;
    };

    void draw(const RegionRecord& r);
    Layer* layer(std::string_view code);
    const Def& def(std::string_view style);
    void stroke(Layer& l, const RegionRecord& r, double width);
    void strokeSlowly(Layer& l, const RegionRecord& r, double width);
    void polygon(Layer& l, const RegionRecord& r);
    void place(Layer& l, const RegionRecord& r, const Def& d);
    void text(Layer& l, const RegionRecord& r);
    void skip(const RegionRecord& r, std::string_view reason);
    void grow(double x, double y, double hx = 0, double hy = 0);
    void closeRun(Layer& l);
    // The part being gathered, opened by its first record.
    std::string& text(Layer& l);
    void sendPart(Layer& l);
    void send(std::string& chunk, std::string_view layer);
    void sendDefs();
    std::string tail(const std::vector<std::string>& hidden) const;
    void appendSummary(std::string& out) const;

    RegionReader reader_;
    Sink sink_;
    // The chunks after the root tag, with the layer of each ("" for style outlines), when the
    // drawing is kept.
    std::vector<std::pair<std::string, std::string>> kept_;
    std::vector<Layer> layers_;
    Layer* last_ = nullptr;
    // Looked up by the record's view of the name: no string is made for a style seen before.
    struct NameHash {
        using is_transparent = void;
        size_t operator()(std::string_view s) const { return std::hash<std::string_view>{}(s); }
    };
    std::unordered_map<std::string, Def, NameHash, std::equal_to<>> defs_;
    std::string defText_;                // style outlines not sent yet, after fullDefs_
    std::vector<std::string> fullDefs_;  // full pieces of them
    size_t outlines_ = 0;                // styles drawn
    std::array<size_t, kRecordKinds> drawn_{}, skipped_{};
    size_t hairlines_ = 0;
    size_t replaced_ = 0;  // characters of texts that XML forbids
    // The text of the last number spelled: texts of a board share few sizes and directions.
    struct Spelling {
        double value = 0;
        std::string text;
        const std::string& of(double v);
    } sizeText_, turnText_;
    struct Turn {
        double rotation = 0, c = 1, s = 0;  // cosine and sine of the last text's rotation
    } turn_;
    std::string lastStyle_;  // of the last track, and its width in thousandths
    double lastWidth_ = 0;
    std::vector<std::string> skippedLines_;
    double minX_, minY_, maxX_, maxY_;
};

// The preview of a whole region file's text.
std::string previewSvg(std::string_view regionText);

}  // namespace quorlin
