// The *VIAS section of the region file and the via styles it needs.
#include "region/vias.h"

#include <cmath>
#include <string>
#include <unordered_map>
#include <vector>

#include "job/pcbjob.h"
#include "region/header.h"
#include "region/recordtext.h"
#include "region/writers.h"
#include "util/fields.h"
#include "util/number.h"
#include "util/text.h"

namespace quorlin {

namespace {

void unquote(std::string& name) {
    for (char& c : name)
        if (c == '"') c = '\'';
}

}  // namespace

ViaStyleName viaStyleName(const Fields& via) {
    const std::string shape(via[2].substr(0, 1));
    std::string sizeBuffer, holeBuffer;
    const std::string size(sizeFigure(via[3], sizeBuffer));
    const std::string hole(sizeFigure(via[4], holeBuffer));
    ViaStyleName n{"V" + shape + size + hole, "V" + shape + "-" + size + "-" + hole};
    unquote(n.style);
    unquote(n.report);
    return n;
}

void viatranslate(PcbJob& s) {
    s.step("Exporting vias to Ares region file");
    if (s.sets.viaset.empty()) {
        s.step("No vias to export");
        return;
    }

    std::string& rgn = s.region();
    std::vector<ViaStyleName> table;  // first-seen order
    std::unordered_map<std::string, size_t> index;
    bool sectionOpen = false;
    Fields f;
    for (std::string_view line : s.sets.viaset) {
        s.tick();
        f.assign(line);
        double x, y;
        if (!f.strictNum(6, x) || !f.strictNum(7, y) || !std::isfinite(toRegionUnits(x)) ||
            !std::isfinite(toRegionUnits(y))) {
            s.trashLine(line);
            continue;
        }
        if (!sectionOpen) {
            rgn.append(kCrLf).append("*VIAS").append(kCrLf);
            sectionOpen = true;
        }
        ViaStyleName name = viaStyleName(f);
        appendQuoted(rgn, name.style);
        // The number text keeps 15 significant digits, so the digits beyond them are dropped.
        rgn += " ALL ";
        appendNumtext(rgn, toRegionUnits(x));
        rgn += ' ';
        appendNumtext(rgn, toRegionUnits(y));
        rgn += " 0 0";
        rgn += kCrLf;
        if (index.emplace(name.style, table.size()).second) table.push_back(std::move(name));
        s.processEvents();
    }
    if (sectionOpen) rgn.append("*END_VIAS").append(kCrLf);

    registerStyleList(s, "Define the following Vias in ARES:", 35, table);
    s.status("Vias exported to region file successfully");
    s.processEvents();
}

}  // namespace quorlin
