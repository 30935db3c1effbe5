// The blocks of the *OBJECTS section, in the order objecttranslate runs them.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "job/primitives.h"

namespace quorlin {

class PcbJob;

namespace objects {

// Component side by component number: 1 top, 2 bottom; a number never set reads 0.
class SideTable {
  public:
    void set(int64_t component, int side) { sides_[component] = side; }
    int get(int64_t component) const {
        auto it = sides_.find(component);
        return it == sides_.end() ? 0 : it->second;
    }

  private:
    std::unordered_map<int64_t, int> sides_;
};

// A component pad whose centre read as numbers, in region units (15 significant digits).
struct ComponentPad {
    std::string_view line;
    double x, y;
};

// The vertices of the "poly" line at index i of a set: vertex lines first..first+count-1, the
// whole record at i..end-1. The count field is kept within the "pnt" lines that follow (a
// negative count reads 0), and a closing vertex that repeats the first is not counted twice.
struct PolygonSpan {
    size_t first, count, end;
};
PolygonSpan polygonAt(const std::vector<std::string_view>& set, size_t i);

// True when the line holds ".refdes" in any case: such texts give way to the reference texts.
bool isRefdesText(std::string_view line);

// Side pre-pass: the side table from component and free pads, and the component pads whose
// centre is readable (the others go to the trash file here, once).
void sidePrepass(PcbJob& s, SideTable& sides, std::vector<ComponentPad>& pads);

void writeFreePolygons(PcbJob& s, std::string& rgn);
// The "text" records of a set (free or component texts); ".refdes" texts are left out.
void writeTexts(PcbJob& s, std::string& rgn, const PrimitiveSet& set);
void writeGraphicLayers(PcbJob& s, std::string& rgn);
void writeFreePads(PcbJob& s, std::string& rgn);

void writeReferenceTexts(PcbJob& s, std::string& rgn, const SideTable& sides);
void writeComponentLinesAndArcs(PcbJob& s, std::string& rgn);
void writeComponentPolygons(PcbJob& s, std::string& rgn);
void writePadMarkers(PcbJob& s, std::string& rgn, const SideTable& sides,
                     const std::vector<ComponentPad>& pads);
void writePadOutlines(PcbJob& s, std::string& rgn, const SideTable& sides,
                      const std::vector<ComponentPad>& pads);

}  // namespace objects
}  // namespace quorlin
