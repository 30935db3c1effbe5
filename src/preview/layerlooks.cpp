#include "preview/layerlooks.h"

#include <iterator>

namespace quorlin {

namespace {

// The board edge beneath, bottom to top, keep-outs under the mask and silk so they hide no
// text, the guides and the drill above.
struct Row {
    std::string_view code, colour, name;
};
constexpr Row kLayers[] = {{"ED", "#c9b27a", "board edge"},     {"BM", "#7c9a3c", "bottom mask"},
                           {"BR", "#9cc79c", "bottom resist"},  {"BS", "#8c8c8c", "bottom silk"},
                           {"BOT", "#2f6bd6", "bottom copper"}, {"I8", "#6b4fa8", "inner copper 8"},
                           {"I7", "#3f8f8f", "inner copper 7"}, {"I6", "#9a6a2a", "inner copper 6"},
                           {"I5", "#4f8f3f", "inner copper 5"}, {"I4", "#a84f8f", "inner copper 4"},
                           {"I3", "#2f9f6f", "inner copper 3"}, {"I2", "#8f7fcf", "inner copper 2"},
                           {"I1", "#cf8f2f", "inner copper 1"}, {"TOP", "#d0352b", "top copper"},
                           {"ALL", "#c8961e", "all copper"},    {"KO", "#d0209a", "keep-out"},
                           {"TM", "#3f8f5f", "top mask"},       {"TR", "#5fbfa0", "top resist"},
                           {"TS", "#1f1f1f", "top silk"},       {"M1", "#6a5acd", "mechanical 1"},
                           {"M2", "#1f9faf", "mechanical 2"},   {"M3", "#b07a10", "mechanical 3"},
                           {"M4", "#607080", "mechanical 4"},   {"DRL", "#000000", "drill"}};

}  // namespace

LayerLook layerLook(std::string_view code) {
    for (size_t i = 0; i < std::size(kLayers); ++i)
        if (kLayers[i].code == code)
            return {kLayers[i].code, kLayers[i].colour, kLayers[i].name, i};
    return {code, "#999999", "", std::size(kLayers)};
}

}  // namespace quorlin
