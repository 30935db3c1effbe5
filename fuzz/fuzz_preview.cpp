// The board preview's reader and SVG writer on any region text, cut in two at a place the input
// chooses (a line end split between two pieces must read as one).
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "region/svgwriter.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const size_t cut = size == 0 ? 0 : data[0] % size;
    quorlin::SvgPreview preview;
    preview.feed(text.substr(0, cut));
    preview.feed(text.substr(cut));
    preview.finish();
    const std::vector<std::string> layers = preview.layers();
    preview.document(layers.empty() ? layers : std::vector<std::string>{layers.front()});
    return 0;
}
