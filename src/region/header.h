// The region file's header and the one Tango-layer to ARES-layer table.
#pragma once

#include <string_view>

namespace quorlin {

class PcbJob;

// Creates the region file (base + ".rgn") with its six header lines.
void writeheader(PcbJob& s);

// ARES layer code of a Tango layer index 0..22; "" for any other index.
std::string_view layertranslate(long index);

}  // namespace quorlin
