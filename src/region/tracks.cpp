// The *LAYER sections of the region file: free tracks and arcs on the layers drawn as tracks, and
// the track styles they need.
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <initializer_list>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "job/pcbjob.h"
#include "region/arcsegments.h"
#include "region/header.h"
#include "region/layerbuckets.h"
#include "region/pointtext.h"
#include "region/recordtext.h"
#include "region/writers.h"
#include "util/fields.h"
#include "util/inorder.h"
#include "util/number.h"
#include "util/text.h"
#include "util/worker.h"

namespace quorlin {

namespace {

// Track styles are defined for whole widths 0..kMaxWidth only.
constexpr int kMaxWidth = 250;

// True when every value, in region units, is a number a region file can hold.
bool finiteUnits(std::initializer_list<double> thousandths) {
    for (double v : thousandths)
        if (!std::isfinite(toRegionUnits(v))) return false;
    return true;
}

// Records of one layer, as indices into their set, in source order.
// What one block of records adds to the region file and to the job's other outputs. Blocks are
// formatted on two threads and taken in source order, so the file is the same as record by record.
struct SegmentBlock {
    std::string text;
    std::vector<uint32_t> trashed;  // records that are not drawn, as indices into their set
    bool written = false;           // some record drew a segment: the layer's section opens
    std::array<bool, kMaxWidth + 1> widthUsed{};
    std::vector<double> outsideWidths;

    void clear() {
        text.clear();
        trashed.clear();
        written = false;
        widthUsed.fill(false);
        outsideWidths.clear();
    }
};

// Turns tracks and arcs into segment records; everything it keeps is its own, so two of them
// can work on two blocks at once.
class SegmentFormatter {
  public:
    void format(const PrimitiveSet& set, bool arcs, const uint32_t* records, size_t count,
                SegmentBlock& out) {
        out.clear();
        out_ = &out;
        for (size_t k = 0; k < count; ++k) {
            if (arcs)
                formatArc(set, records[k]);
            else
                formatTrack(set, records[k]);
        }
    }

  private:
    void markWidth(std::string_view text) {
        const double w = roundEven(lenient(text));
        if (w >= 0 && w <= kMaxWidth)
            out_->widthUsed[static_cast<size_t>(w)] = true;
        else
            out_->outsideWidths.push_back(w);
    }

    // The record head of the following segments: quoted style name and " S 1", made once for
    // all the segments of an arc.
    void setStyle(std::string_view widthText) {
        out_->written = true;
        markWidth(widthText);
        style_.assign("T").append(widthText);
        head_.clear();
        appendQuoted(head_, style_);
        head_ += " S 1";
    }

    void writeSegment(double x1, double y1, double x2, double y2) {
        std::string& out = out_->text;
        out.append(head_) += ' ';
        points_.append(out, x1, y1);
        out += ' ';
        points_.append(out, x2, y2);
        out.append(kCrLf);
    }

    void formatTrack(const PrimitiveSet& set, uint32_t i) {
        f_.assign(set[i]);
        double x1, y1, x2, y2;
        if (!f_.strictNum(4, x1) || !f_.strictNum(5, y1) || !f_.strictNum(6, x2) ||
            !f_.strictNum(7, y2) || !finiteUnits({x1, y1, x2, y2})) {
            out_->trashed.push_back(i);
            return;
        }
        setStyle(f_[2]);
        writeSegment(toRegionUnits(x1), toRegionUnits(y1), toRegionUnits(x2), toRegionUnits(y2));
    }

    void formatArc(const PrimitiveSet& set, uint32_t i) {
        f_.assign(set[i]);
        // Radius plus centre bounds every point of the arc.
        const double r = std::fabs(f_.num(2));
        if (!finiteUnits({r + std::fabs(f_.num(7)), r + std::fabs(f_.num(8))})) {
            out_->trashed.push_back(i);
            return;
        }
        setStyle(f_[5]);
        cutArc(f_.num(2), f_.num(3), f_.num(4), f_.num(7), f_.num(8),
               [&](ArcPoint from, ArcPoint to) { writeSegment(from.x, from.y, to.x, to.y); });
    }

    SegmentBlock* out_ = nullptr;
    Fields f_;
    std::string style_, head_;
    PointText points_;
};

class TrackWriter {
  public:
    explicit TrackWriter(PcbJob& s) : s_(s), rgn_(s.region()), layers_(bucketByLayer(s)) {}

    void writeSections() {
        const bool topUsed = !layers_.tracks[0].empty() || !layers_.arcs[0].empty();
        rgn_ += kCrLf;
        rgn_ += "*LAYER TOP\r\n";
        rgn_ += "\"T10\" S 1 0 0 0 254000\r\n";
        rgn_ += "\"T10\" S 1 0 0 254000 0\r\n";
        if (topUsed)
            sectionOpen_ = true;
        else
            rgn_ += "*END_LAYER\r\n";
        for (int layer = 0; layer < kTangoLayers; ++layer) {
            const auto at = static_cast<size_t>(layer);
            if (s_.layerdrawmode[at] != 1) continue;
            writeRecords(layer, s_.sets.trackset, false, layers_.tracks[at]);
            writeRecords(layer, s_.sets.freearcset, true, layers_.arcs[at]);
            closeSection();
        }
        // Only a draw-mode table without layer 0 leaves TOP open; a section never stays unended.
        closeSection();
    }

    // Tracks and arcs on no Tango layer are drawn by no writer; the user finds them in the trash.
    void trashOffLayer() {
        for (uint32_t i : layers_.offLayerTracks) s_.trashLine(s_.sets.trackset[i]);
        for (uint32_t i : layers_.offLayerArcs) s_.trashLine(s_.sets.freearcset[i]);
    }

    void registerStyles() {
        const bool listed = !s_.options.styleFile;
        if (listed) s_.reportHeading("Define the following Tracks in ARES:", 36);
        for (int w = 0; w <= kMaxWidth; ++w) {
            if (listed) s_.tick();
            if (!widthUsed_[static_cast<size_t>(w)]) continue;
            const std::string name = "TR" + std::to_string(w);
            s_.registry.addstyle(name);
            if (listed) s_.reportLine(name);
        }
        for (double w : outsideWidths_) {
            const std::string line = "Track width outside 0 to 250 not registered: " + plainnum(w);
            if (listed)
                s_.reportLine(line);
            else
                s_.result.report.append(line).append(kCrLf);
        }
        if (listed) s_.reportEnd();
    }

  private:
    void openSection(int layer) {
        if (sectionOpen_) return;
        rgn_ += "*LAYER ";
        rgn_ += layertranslate(layer);
        rgn_ += kCrLf;
        sectionOpen_ = true;
    }

    void closeSection() {
        if (!sectionOpen_) return;
        rgn_ += "*END_LAYER\r\n";
        sectionOpen_ = false;
    }

    // Records of one kind on one layer, formatted in blocks on two threads.
    void writeRecords(int layer, const PrimitiveSet& set, bool arcs,
                      const std::vector<uint32_t>& records) {
        formatInOrder<SegmentBlock>(
            records.size(), s_.segmentBlock, worker_, [this] { s_.processEvents(); },
            [formatter = SegmentFormatter(), &set, arcs, &records](SegmentBlock& b, size_t from,
                                                                   size_t to) mutable {
                formatter.format(set, arcs, records.data() + from, to - from, b);
            },
            [&](const SegmentBlock& b, size_t from, size_t to) { take(layer, set, b, to - from); });
    }

    void take(int layer, const PrimitiveSet& set, const SegmentBlock& b, size_t records) {
        if (b.written) openSection(layer);
        rgn_ += b.text;
        for (uint32_t i : b.trashed) s_.trashLine(set[i]);
        for (size_t w = 0; w <= kMaxWidth; ++w) widthUsed_[w] = widthUsed_[w] || b.widthUsed[w];
        outsideWidths_.insert(b.outsideWidths.begin(), b.outsideWidths.end());
        for (size_t k = 0; k < records; ++k) s_.tick();
    }

    PcbJob& s_;
    std::string& rgn_;
    Worker worker_;
    LayerBuckets layers_;
    std::array<bool, kMaxWidth + 1> widthUsed_{};
    std::set<double> outsideWidths_;
    bool sectionOpen_ = false;
};

}  // namespace

void tracktranslate(PcbJob& s) {
    s.step("Exporting tracks and arcs to Ares region file");
    if (s.sets.trackset.empty() && s.sets.freearcset.empty()) {
        s.step("No tracks or arcs to export");
        return;
    }
    TrackWriter writer(s);
    writer.writeSections();
    writer.trashOffLayer();
    writer.registerStyles();
    s.step("Tracks and arcs exported successfully");
}

}  // namespace quorlin
