// The *OBJECTS section: its frame and the order of its blocks.
#include "job/pcbjob.h"
#include "region/objectblocks.h"
#include "region/viatags.h"
#include "region/writers.h"
#include "util/text.h"

namespace quorlin {

void objecttranslate(PcbJob& s) {
    using namespace objects;
    SideTable sides;
    std::vector<ComponentPad> pads;
    sidePrepass(s, sides, pads);

    s.step("Exporting components and graphics to Ares");
    std::string& rgn = s.region();
    // Two 100 thou markers from the origin, along Y on M1 and along X on M2.
    rgn.append(kCrLf).append("*OBJECTS").append(kCrLf);
    rgn.append("GRAPHIC M1 LINE 4 0 0 0 254000").append(kCrLf);
    rgn.append("GRAPHIC M2 LINE 4 0 0 254000 0").append(kCrLf);

    writeFreePolygons(s, rgn);
    writeTexts(s, rgn, s.sets.freetextset);
    writeGraphicLayers(s, rgn);
    writeViaPlaneTags(s, rgn);
    writeFreePads(s, rgn);
    writeReferenceTexts(s, rgn, sides);
    writeComponentLinesAndArcs(s, rgn);
    writeComponentPolygons(s, rgn);
    writeTexts(s, rgn, s.sets.compcontentset);
    writePadMarkers(s, rgn, sides, pads);
    writePadOutlines(s, rgn, sides, pads);

    rgn.append("*END_OBJECTS").append(kCrLf);
    s.status("Components exported to region file successfully");
    s.processEvents();
}

}  // namespace quorlin
