// The section writers of the region file, run by the PCB job in this order after the reader.
#pragma once

namespace quorlin {

class PcbJob;

// *OBJECTS: components, pads, free graphics, zones and text.
void objecttranslate(PcbJob& s);
// *VIAS.
void viatranslate(PcbJob& s);
// *LAYER sections: tracks and arcs.
void tracktranslate(PcbJob& s);

}  // namespace quorlin
