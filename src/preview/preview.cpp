#include "preview/preview.h"

#include <algorithm>

#include "preview/regionreader.h"
#include "preview/svgwriter.h"

namespace quorlin {

namespace {

// Read a megabyte at a time: a piece draws into a few megabytes of SVG at most.
constexpr size_t kPiece = size_t{1} << 20;

bool pass(FileReader& source, RegionReader& reader, const std::function<void()>& between) {
    if (!source.rewind()) return false;
    std::string piece;
    for (;;) {
        if (!source.read(piece, kPiece)) return false;
        if (piece.empty()) break;
        reader.feed(piece);
        if (between) between();
    }
    reader.finish();
    return true;
}

}  // namespace

bool drawRegion(FileReader& source, std::string& out, const std::function<void()>& between,
                std::vector<std::string>* layers, const AresStyles* styles) {
    SvgPreview svg(out, styles);
    RegionReader surveyor([&svg](const RegionRecord& r) { svg.survey(r); });
    if (!pass(source, surveyor, between)) return false;
    svg.surveyed(surveyor);
    svg.begin();
    while (svg.moreOutlines())
        if (between) between();
    for (const std::string& code : svg.layers()) {
        svg.beginLayer(code);
        RegionReader reader([&svg](const RegionRecord& r) { svg.draw(r); }, code);
        if (!pass(source, reader, between)) return false;
        svg.endLayer();
    }
    svg.end();
    if (layers) *layers = svg.layers();
    return true;
}

std::string withoutLayers(const std::string& document, const std::vector<std::string>& hidden) {
    std::vector<std::pair<size_t, size_t>> cuts;
    for (const std::string& code : hidden) {
        const size_t from = document.find("\n<g id=\"" + code + "\" ");
        if (from == std::string::npos) continue;
        // The group ends where the next layer's starts, or at the closing comment.
        size_t to = document.find("\n<g id=\"", from + 1);
        if (to == std::string::npos) to = document.find("\n<!--\ndrawn:", from + 1);
        if (to != std::string::npos) cuts.emplace_back(from, to);
    }
    std::sort(cuts.begin(), cuts.end());
    std::string out;
    size_t at = 0;
    for (const auto& [from, to] : cuts) {
        out.append(document, at, from - at);
        at = to;
    }
    return out.append(document, at);
}

std::string previewNameFor(const std::string& regionFile) {
    const size_t slash = regionFile.find_last_of("/\\");
    const size_t dot = regionFile.rfind('.');
    const bool extension = dot != std::string::npos && (slash == std::string::npos || dot > slash);
    return regionFile.substr(0, extension ? dot : regionFile.size()) + ".svg";
}

}  // namespace quorlin
