// The section writers of the region file, run by the PCB job in this order after the reader.
#pragma once

namespace quorlin {

class Session;

// *OBJECTS: components, pads, free graphics, zones and text.
void objecttranslate(Session& s);
// *VIAS.
void viatranslate(Session& s);
// *LAYER sections: tracks and arcs.
void tracktranslate(Session& s);

}  // namespace quorlin
