// The ARES style records of one registered style name, and the style file text of a registry.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace quorlin {

// The dimensions a style name carries in characters 3-5, 6-8 and 9-11, read leniently (missing
// or non-numeric reads 0) and written back as plain numbers ("060" gives "60").
struct StyleDimensions {
    std::string kind;  // first two characters, lower-cased
    double a = 0, b = 0, c = 0;
    std::string atext, btext, ctext;
};
StyleDimensions decodeStyleName(std::string_view name);

// Appends the pad or via records of one name; a kind ARES has no row for appends nothing.
void appendPadStyle(std::string& out, std::string_view name, std::string_view guard,
                    bool replicate);

// "TR<width>" becomes "ZT" and four digits, so that the byte order of the names is the numeric
// order of the widths.
void rewriteTrackNames(std::vector<std::string>& names);

// The whole style file for names already rewritten and sorted; perStyle runs before each pad
// or via record (the job turns its spinner there).
std::string styleFileText(const std::vector<std::string>& names, int guardgap, bool replicate,
                          const std::function<void()>& perStyle = {});

}  // namespace quorlin
