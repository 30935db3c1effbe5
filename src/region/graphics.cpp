// Free graphics: polygons (paths, or zones on copper), texts, and the lines and arcs of the
// layers drawn as graphics.
#include <array>
#include <vector>

#include "job/pcbjob.h"
#include "region/chords.h"
#include "region/header.h"
#include "region/layerbuckets.h"
#include "region/objectblocks.h"
#include "region/objectrecords.h"
#include "region/recordblocks.h"
#include "region/text.h"
#include "util/number.h"
#include "util/text.h"

namespace quorlin::objects {

namespace {

bool isEtchLayer(int64_t layer) {
    return layer == 0 || layer == 1 || (layer >= 4 && layer <= 7) || (layer >= 19 && layer <= 22);
}

std::string_view layerCode(int64_t layer) {
    return layer >= 0 && layer <= 22 ? layertranslate(static_cast<long>(layer)) : "";
}

}  // namespace

PolygonSpan polygonAt(const std::vector<std::string_view>& set, size_t i) {
    const Fields poly(set[i]);
    const int64_t declared = wholeNum(poly, 3);
    size_t count = 0;
    Fields f;
    while (count < static_cast<uint64_t>(declared < 0 ? 0 : declared) &&
           i + 1 + count < set.size()) {
        f.assign(set[i + 1 + count]);
        if (!isKeyword(f, "pnt")) break;
        ++count;
    }
    const size_t end = i + 1 + count;
    // A last vertex equal to the first closes the outline; one vertex is not such a pair.
    if (count >= 2 && set[i + count] == set[i + 1]) return {i + 2, count - 1, end};
    return {i + 1, count, end};
}

bool isRefdesText(std::string_view line) {
    return lowerAscii(line).find(".refdes") != std::string::npos;
}

void writeFreePolygons(PcbJob& s, std::string& rgn) {
    const auto& set = s.sets.freepolyset;
    bool zone = false;
    Fields f;
    std::string coords;
    for (size_t i = 0; i < set.size(); ++i) {
        s.tick();
        f.assign(set[i]);
        if (!isKeyword(f, "poly")) continue;
        const int64_t layer = wholeNum(f, 2);
        const PolygonSpan span = polygonAt(set, i);
        const std::string_view code = layerCode(layer);
        if (code.empty()) {
            // A path without a layer is misread by ARES: keep the whole record for the user.
            for (size_t j = i; j < span.end; ++j) s.trashLine(set[j]);
            i = span.end - 1;
            continue;
        }
        coords.clear();
        for (size_t j = span.first; j < span.first + span.count; ++j) {
            f.assign(set[j]);
            coords += ' ';
            appendNumtext(coords, lenientUnits(f, 2));
            coords += ' ';
            appendNumtext(coords, lenientUnits(f, 3));
        }
        if (isEtchLayer(layer)) {
            rgn.append("ZONE ").append(code).append(" 0000 \"T2\"");
            appendNumtext(rgn, static_cast<double>(span.count));
            rgn.append(coords).append(" \"T2\" \"\" 2540 2540").append(kCrLf);
            zone = true;
        } else {
            rgn.append("GRAPHIC ").append(code).append(" PATH ");
            appendNumtext(rgn, static_cast<double>(span.count));
            rgn.append(coords).append(kCrLf);
        }
        i = span.end - 1;
    }

    if (!zone) return;
    // Zones are drawn with the track style TR2.
    s.registry.addstyle("TR2");
    if (s.options.styleFile) return;
    s.reportLine("Polygon found on etch layer.");
    s.reportHeading("Define the following Tracks in ARES:", 36);
    s.reportLine("TR2");
    s.reportEnd();
    s.processEvents();
}

void writeTexts(PcbJob& s, std::string& rgn, const PrimitiveSet& set) {
    writeInBlocks(s, rgn, set, [f = Fields()](std::string_view line, RecordBlock& b) mutable {
        f.assign(line);
        // The component reference texts stand in for ".refdes" texts.
        if (!isKeyword(f, "text") || isRefdesText(line)) return;
        const std::string record = convtext(line);
        if (record.empty())
            b.trash.push_back(line);
        else
            b.text.append(record).append(kCrLf);
    });
}

void writeGraphicLayers(PcbJob& s, std::string& rgn) {
    // Writing layer by layer, tracks before arcs, keeps the order of a pass per layer.
    const LayerBuckets buckets = bucketByLayer(s);
    auto linesOf = [](const PrimitiveSet& set, const std::vector<uint32_t>& records) {
        std::vector<std::string_view> lines;
        lines.reserve(records.size());
        for (uint32_t i : records) lines.push_back(set[i]);
        return lines;
    };
    for (size_t layer = 0; layer < kTangoLayers; ++layer) {
        if (s.layerdrawmode[layer] != 2) continue;
        const std::string_view code = layertranslate(static_cast<long>(layer));
        writeInBlocks(s, rgn, linesOf(s.sets.trackset, buckets.tracks[layer]),
                      [code, f = Fields()](std::string_view line, RecordBlock& b) mutable {
                          f.assign(line);
                          double x1, y1, x2, y2;
                          if (!strictUnits(f, 4, x1) || !strictUnits(f, 5, y1) ||
                              !strictUnits(f, 6, x2) || !strictUnits(f, 7, y2)) {
                              b.trash.push_back(line);
                              return;
                          }
                          appendLine4(b.text, code, x1, y1, x2, y2);
                      });
        writeInBlocks(s, rgn, linesOf(s.sets.freearcset, buckets.arcs[layer]),
                      [code, f = Fields()](std::string_view line, RecordBlock& b) mutable {
                          f.assign(line);
                          if (!appendArcChords(b.text, code, f.num(2), f.num(3), f.num(4), f.num(7),
                                               f.num(8)))
                              b.trash.push_back(line);
                      });
    }
}

}  // namespace quorlin::objects
