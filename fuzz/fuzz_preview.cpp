// The board preview's reader and SVG writer on any region text, read in pieces of a size the
// input chooses (a line end split between two pieces must read as one), with a layer hidden.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "preview/preview.h"

namespace {

// Pieces of at most `most` bytes, whatever the caller asks.
class Pieces : public quorlin::FileReader {
  public:
    Pieces(std::string_view text, size_t most) : text_(text), most_(most) {}
    bool read(std::string& out, size_t most) override {
        out.assign(text_.substr(at_, std::min(most, most_)));
        at_ += out.size();
        return true;
    }
    bool rewind() override {
        at_ = 0;
        return true;
    }

  private:
    std::string_view text_;
    size_t most_, at_ = 0;
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
