// Free tracks and arcs sorted by their Tango layer, for the writers that draw them layer by layer.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "util/fields.h"

namespace quorlin {

class PcbJob;

inline constexpr int kTangoLayers = 23;

// The Tango layer of a record: the whole value 0..22 of its field, or -1 for any other value.
int tangoLayer(const Fields& f, long field);

// Indices into the track and free arc sets, each list in source order. One pass over each set,
// so writing layer by layer costs no more than the records.
struct LayerBuckets {
    std::array<std::vector<uint32_t>, kTangoLayers> tracks, arcs;
    std::vector<uint32_t> offLayerTracks, offLayerArcs;
};
LayerBuckets bucketByLayer(PcbJob& s);

}  // namespace quorlin
