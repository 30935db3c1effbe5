#include "region/layerbuckets.h"

#include <cmath>

#include "job/pcbjob.h"

namespace quorlin {

int tangoLayer(const Fields& f, long field) {
    const double v = f.num(field);
    if (!(v >= 0 && v <= kTangoLayers - 1) || v != std::floor(v)) return -1;
    return static_cast<int>(v);
}

LayerBuckets bucketByLayer(PcbJob& s) {
    LayerBuckets b;
    Fields f;
    auto sort = [&](const PrimitiveSet& set, long field, auto& layers, auto& offLayer) {
        for (uint32_t i = 0; i < set.size(); ++i) {
            s.tick();
            f.assign(set[i]);
            const int layer = tangoLayer(f, field);
            (layer < 0 ? offLayer : layers[static_cast<size_t>(layer)]).push_back(i);
        }
    };
    sort(s.sets.trackset, 3, b.tracks, b.offLayerTracks);
    sort(s.sets.freearcset, 6, b.arcs, b.offLayerArcs);
    return b;
}

}  // namespace quorlin
