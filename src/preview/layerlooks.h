// The one table of layers the preview knows: drawing order, colour and plain name. The picture
// and both windows' layer lists take them from here.
#pragma once

#include <cstddef>
#include <string_view>

namespace quorlin {

struct LayerLook {
    std::string_view code, colour, name;
    size_t order;  // drawn bottom first; a code not listed after all that are
};

// A code not listed gets grey, no name and the order after the last.
LayerLook layerLook(std::string_view code);

}  // namespace quorlin
