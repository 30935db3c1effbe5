// Components: reference texts always, and placement guides on M1 to M4 for the contents the
// reader kept apart.
#include "job/pcbjob.h"
#include "region/chords.h"
#include "region/objectblocks.h"
#include "region/objectrecords.h"
#include "region/recordblocks.h"
#include "region/text.h"
#include "util/number.h"
#include "util/text.h"

namespace quorlin::objects {

namespace {

void applySide(SideTable& sides, const Fields& f) {
    const std::string side = lowerAscii(f[6]);
    if (side == "tl" || side == "al")
        sides.set(wholeNum(f, 12), 1);
    else if (side == "bl")
        sides.set(wholeNum(f, 12), 2);
}

// Guide layer of a silk-screen line or arc; "" for other layers.
std::string_view silkGuide(double layer) {
    if (layer == 8 || layer == 12) return "M1";
    if (layer == 9 || layer == 13) return "M3";
    return "";
}

std::string_view polygonGuide(int64_t layer) {
    switch (layer) {
        case 0:
            return "M2";
        case 1:
            return "M4";
        case 8:
        case 12:
            return "M1";
        case 9:
        case 13:
            return "M3";
        default:
            return "";
    }
}

std::string_view padGuide(const SideTable& sides, const Fields& f) {
    return sides.get(wholeNum(f, 12)) == 1 ? "M2" : "M4";
}

}  // namespace

void sidePrepass(PcbJob& s, SideTable& sides, std::vector<ComponentPad>& pads) {
    Fields f;
    for (std::string_view line : s.sets.compcontentset) {
        s.tick();
        f.assign(line);
        if (!isKeyword(f, "pad")) continue;
        applySide(sides, f);
        double x, y;
        if (strictUnits(f, 9, x) && strictUnits(f, 10, y))
            pads.push_back({line, x, y});
        else
            s.trashLine(line);
    }
    for (std::string_view line : s.sets.freepadset) {
        s.tick();
        f.assign(line);
        if (isKeyword(f, "pad")) applySide(sides, f);
    }
}

void writeReferenceTexts(PcbJob& s, std::string& rgn, const SideTable& sides) {
    writeInBlocks(s, rgn, s.sets.compset,
                  [&sides, f = Fields()](std::string_view line, RecordBlock& b) mutable {
                      f.assign(line);
                      const long n = f.count();
                      double x, y;
                      if (!strictUnits(f, n - 7, x) || !strictUnits(f, n - 6, y)) {
                          b.trash.push_back(line);
                          return;
                      }
                      const int64_t k = wholeNum(f, n - 1) & 4095;
                      const std::string_view layer = sides.get(k) == 1 ? "M1" : "M3";
                      appendLabel(b.text, layer, x, y + 27000, kReferenceSizes, f[2]);
                      appendLabel(b.text, layer, x, y - 27000, kReferenceSizes, f[8]);
                  });
}

void writeComponentLinesAndArcs(PcbJob& s, std::string& rgn) {
    writeInBlocks(s, rgn, s.sets.compcontentset,
                  [f = Fields()](std::string_view line, RecordBlock& b) mutable {
                      f.assign(line);
                      if (isKeyword(f, "line")) {
                          const std::string_view layer = silkGuide(f.num(3));
                          if (layer.empty()) {
                              b.trash.push_back(line);
                              return;
                          }
                          appendLine4(b.text, layer, lenientUnits(f, 4), lenientUnits(f, 5),
                                      lenientUnits(f, 6), lenientUnits(f, 7));
                      } else if (isKeyword(f, "arc")) {
                          const std::string_view layer = silkGuide(f.num(6));
                          if (layer.empty() || !appendArcChords(b.text, layer, f.num(2), f.num(3),
                                                                f.num(4), f.num(7), f.num(8)))
                              b.trash.push_back(line);
                      }
                  });
}

void writeComponentPolygons(PcbJob& s, std::string& rgn) {
    const auto& set = s.sets.compcontentset;
    Fields f, next;
    for (size_t i = 0; i < set.size(); ++i) {
        s.tick();
        f.assign(set[i]);
        if (!isKeyword(f, "poly")) continue;
        const std::string_view layer = polygonGuide(wholeNum(f, 2));
        const PolygonSpan span = polygonAt(set, i);
        if (layer.empty()) {
            // No guide layer: the record goes to the trash once, vertex lines included.
            for (size_t j = i; j < span.end; ++j) s.trashLine(set[j]);
            continue;
        }
        const size_t last = span.first + span.count - 1;
        for (size_t j = span.first; j < span.first + span.count; ++j) {
            f.assign(set[j]);
            next.assign(set[j == last ? span.first : j + 1]);
            appendLine4(rgn, layer, lenientUnits(f, 2), lenientUnits(f, 3), lenientUnits(next, 2),
                        lenientUnits(next, 3));
        }
        // Without vertices the label stands at the origin.
        double x = 0, y = 0;
        if (span.count > 0) {
            f.assign(set[span.first]);
            x = lenientUnits(f, 2);
            f.assign(set[last]);
            y = lenientUnits(f, 3);
        }
        appendLabel(rgn, layer, x, y, kGuideSizes, "Poly");
    }
}

void writePadMarkers(PcbJob& s, std::string& rgn, const SideTable& sides,
                     const std::vector<ComponentPad>& pads) {
    Fields f;
    for (const ComponentPad& pad : pads) {
        s.tick();
        f.assign(pad.line);
        const std::string_view layer = padGuide(sides, f);
        const double x = pad.x, y = pad.y;
        appendLabel(rgn, layer, x + kRegionUnitsPerThousandth, y + kRegionUnitsPerThousandth,
                    kGuideSizes, f[2]);
        appendLabel(rgn, layer, x - 26000, y - 14300, kGuideSizes, f[2]);
        appendLabel(rgn, layer, x + kRegionUnitsPerThousandth, y - 14300, kGuideSizes,
                    f.num(5) != 0 ? f[5] : f[6]);
        appendLine4(rgn, layer, x, y - 12700, x, y + 12700);
        appendLine4(rgn, layer, x - 12700, y, x + 12700, y);
    }
}

void writePadOutlines(PcbJob& s, std::string& rgn, const SideTable& sides,
                      const std::vector<ComponentPad>& pads) {
    Fields f;
    for (const ComponentPad& pad : pads) {
        s.tick();
        f.assign(pad.line);
        const std::string shape = lowerAscii(f[2]);
        if (shape == "tg") {
            s.trashLine(pad.line);
            continue;
        }
        if (shape != "sq" && shape != "rr" && shape != "el" && shape != "ov" && shape != "mh")
            continue;
        const std::string side = lowerAscii(f[6]);
        // A side other than top or bottom is placed by its component, as "al" is.
        const std::string_view layer = side == "tl"   ? "M2"
                                       : side == "bl" ? "M4"
                                                      : padGuide(sides, f);
        const double x = roundEven(pad.x), y = roundEven(pad.y);
        const double hw = roundEven(lenientUnits(f, 3) / 2), hh = roundEven(lenientUnits(f, 4) / 2);
        appendLine4(rgn, layer, x - hw, y - hh, x + hw, y - hh);
        appendLine4(rgn, layer, x + hw, y - hh, x + hw, y + hh);
        appendLine4(rgn, layer, x + hw, y + hh, x - hw, y + hh);
        appendLine4(rgn, layer, x - hw, y + hh, x - hw, y - hh);
    }
}

}  // namespace quorlin::objects
