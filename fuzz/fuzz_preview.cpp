// The board preview's reader and SVG writer on any region text, read in pieces of a size the
// input chooses (a line end split between two pieces must read as one), with a layer hidden.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "preview/preview.h"
#include "util/files.h"

namespace {

// Pieces of at most `most` bytes, whatever the caller asks.
class Pieces : public quorlin::FileReader {
  public:
    Pieces(std::string_view text, size_t most)
        : text_(quorlin::textReader(std::string(text))), most_(most) {}
    bool read(std::string& out, size_t most) override {
        return text_->read(out, std::min(most, most_));
    }
    bool rewind() override { return text_->rewind(); }

  private:
    std::unique_ptr<quorlin::FileReader> text_;
    size_t most_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    Pieces source(text, size == 0 ? 1 : data[0] % 64 + 1);
    std::string svg;
    std::vector<std::string> layers;
    quorlin::drawRegion(source, svg, {}, &layers);
    if (!layers.empty()) quorlin::withoutLayers(svg, {layers.front()});
    return 0;
}
