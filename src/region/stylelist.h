// The styles a writer needs: registered for the style file, and listed in the report for the
// user to define in ARES when the style file is not written.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quorlin {

class PcbJob;

struct StyleName {
    std::string style;   // the registered name, e.g. Vc060035
    std::string report;  // the same with dashes, e.g. Vc-060-035
};

// Registers every style in order; without a style file also lists "style<TAB>report" under
// heading (fileDashes dashes in the report file).
void registerStyleList(PcbJob& s, std::string_view heading, size_t fileDashes,
                       const std::vector<StyleName>& styles);

}  // namespace quorlin
