#include "job/options.h"

namespace quorlin {

LayerDrawModes drawModesFor(bool graphicsAsTracks) {
    LayerDrawModes modes{};
    auto fill = [&](int from, int to, int mode) {
        for (int i = from; i <= to; ++i) modes[static_cast<size_t>(i)] = mode;
    };
    if (graphicsAsTracks) {
        fill(0, 13, 1), fill(14, 18, 2), fill(19, 22, 1);
    } else {
        fill(0, 7, 1), fill(8, 9, 2), fill(10, 11, 1), fill(12, 18, 2), fill(19, 22, 1);
    }
    return modes;
}

}  // namespace quorlin
