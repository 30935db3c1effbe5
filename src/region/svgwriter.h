// The board preview: a region file drawn as SVG, one group per layer, from the records ARES will
// import (not from the Tango source), so the converter's own mistakes show too.
#pragma once

#include <array>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "region/regionreader.h"

namespace quorlin {

class SvgPreview {
  public:
    SvgPreview();
    SvgPreview(const SvgPreview&) = delete;
    SvgPreview& operator=(const SvgPreview&) = delete;

    // Region file text, in any cuts.
    void feed(std::string_view regionText) { reader_.feed(regionText); }
    // Call once after the last feed.
    void finish();

    // Codes of the layers drawn, in drawing order (bottom first).
    std::vector<std::string> layers() const;
    // The SVG document; the layers named in hidden are left out (the preview window's check
    // boxes), everything else is the same.
    std::string document(const std::vector<std::string>& hidden = {});
    // The same in pieces of a few megabytes, each handed to piece, which may take its text
    // (swap it away): then the preview is spent and can only be destroyed.
    void writePieces(const std::function<void(std::string&)>& piece,
                     const std::vector<std::string>& hidden = {});

  private:
    struct Layer {
        std::string code;
        std::string_view colour;
        size_t order;
        std::vector<std::string> body;  // pieces of at most a few megabytes
        double run = -1;  // stroke width of the open group of tracks or lines; -1 none
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
    void place(Layer& l, const RegionRecord& r);
    void text(Layer& l, const RegionRecord& r);
    void skip(const RegionRecord& r, std::string_view reason);
    void grow(double x, double y, double hx = 0, double hy = 0);
    void closeRun(Layer& l);
    static std::string& text(Layer& l) { return l.body.back(); }
    void appendSummary(std::string& out) const;

    RegionReader reader_;
    std::vector<Layer> layers_;
    Layer* last_ = nullptr;
    std::unordered_map<std::string, Def> defs_;
    std::string defText_;
    size_t outlines_ = 0;  // styles drawn in defText_
    std::array<size_t, kRecordKinds> drawn_{}, skipped_{};
    size_t hairlines_ = 0;
    std::string lastStyle_;  // of the last track, and its width in thousandths
    double lastWidth_ = 0;
    std::vector<std::string> skippedLines_;
    double minX_, minY_, maxX_, maxY_;
};

// The preview of a whole region file's text.
std::string previewSvg(std::string_view regionText);

}  // namespace quorlin
