// The board preview: a region file drawn as SVG, one group per layer, from the records ARES will
// import (not from the Tango source), so the converter's own mistakes show too.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "preview/regionreader.h"
#include "styles/aresstyles.h"

namespace quorlin {

// Writes the document in the order it is read: the root tag, whose size and viewBox fit every
// drawn record, the pad and via outlines, each layer's group (in the layers' fixed order, bottom
// first), and a closing comment that counts what was drawn and what was not. So the records are
// gone over twice: once all of them, to survey the board, then those of each layer in turn,
// to draw them. Memory holds the names of the layers and styles, never the drawing.
class SvgPreview {
  public:
    // Appends the document to out, which its owner may empty between any two calls.
    // styles: the user's style file, whose styles win over the decoding of coded names; null
    // for none. It outlives the preview.
    explicit SvgPreview(std::string& out, const AresStyles* styles = nullptr);
    SvgPreview(const SvgPreview&) = delete;
    SvgPreview& operator=(const SvgPreview&) = delete;

    // The survey: every record, then the reader's count of what it did not know.
    void survey(const RegionRecord& r);
    void surveyed(const RegionReader& reader);

    // The root tag, then the outlines a few at a time (their text may be large: a board has
    // thousands of pad styles): false once the last is written.
    void begin();
    bool moreOutlines();
    // Codes of the layers to draw, in drawing order (bottom first).
    const std::vector<std::string>& layers() const { return order_; }
    // The records of one layer of layers(), in the order of the file.
    void beginLayer(const std::string& code);
    void draw(const RegionRecord& r);
    void endLayer();
    // The closing comment.
    void end();

    // Layers beyond this many are not drawn (each costs a pass over the file).
    static constexpr size_t kMostLayers = 64;

  private:
    struct Layer {
        std::string code;
        std::string_view colour;
        size_t order;
    };
    struct Def {
        size_t id = 0;  // 0: the style name gives no shape
        double hx = 0, hy = 0;
    };
    struct NameHash {
        using is_transparent = void;
        size_t operator()(std::string_view s) const { return std::hash<std::string_view>{}(s); }
    };
    using Defs = std::unordered_map<std::string, Def, NameHash, std::equal_to<>>;

    // Why a record cannot be drawn; "" when it can.
    std::string_view problem(const RegionRecord& r);
    const Layer* layer(std::string_view code);
    const Def& def(std::string_view style);
    double trackWidth(std::string_view style);
    void grow(double x, double y, double hx = 0, double hy = 0);
    void growText(const RegionRecord& r);
    void skip(const RegionRecord& r, std::string_view reason);
    void stroke(const RegionRecord& r, double width, bool guessed = false);
    void openRun(double width);
    void area();
    void corners(const std::vector<double>& xy);
    void polygon(const RegionRecord& r);
    void place(const RegionRecord& r, const Def& d);
    void text(const RegionRecord& r);
    void closeRun();
    void appendPlace(const RegionRecord& r, size_t i, std::string_view between);
    void appendPoint(char command, const RegionRecord& r, size_t i);
    std::string box() const;
    std::string summary() const;

    std::string& out_;
    const AresStyles* styles_;
    std::vector<Layer> layers_;  // in the order first met
    std::vector<std::string> order_;
    Defs defs_;
    std::vector<std::string> outlined_;  // styles with an outline, by id - 1
    size_t written_ = 0;                 // outlines written
    const Layer* drawing_ = nullptr;     // the layer of the pass
    double run_ = -1;        // stroke width of the open group of tracks or lines; -1 none
    std::string lastStyle_;  // of the last track, and its width in thousandths
    double lastWidth_ = 0;
    // Drawn with a guessed shape: a marker for a pad or via of no known style, a thin stroke for
    // a track of no known width.
    std::array<size_t, kRecordKinds> drawn_{}, skipped_{}, guessed_{};
    std::vector<double> area_;  // the first AREA's corners
    size_t replaced_ = 0;       // characters of texts that XML forbids
    size_t unknown_ = 0;
    std::vector<std::string> unknownLines_;
    std::vector<std::string> skippedLines_;
    double minX_, minY_, maxX_, maxY_;
};

}  // namespace quorlin
