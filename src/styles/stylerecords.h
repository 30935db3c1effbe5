// The ARES style records of one registered style name, and the style file text of a registry.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace quorlin {

// What the first two characters of a pad or via style name make of it (any case): rr, sq, el,
// ov, mh, tg, vc, vs; None for any other kind.
enum class PadShape {
    None,
    RoundedRectangle,
    Square,
    Ellipse,
    Obround,
    MountingHole,
    Tag,
    RoundVia,
    SquareVia
};

// The dimensions a style name carries in characters 3-5, 6-8 and 9-11, read leniently (missing
// or non-numeric reads 0) and written back as plain numbers ("060" gives "60"). For pads a and b
// are the X and Y sizes and c the hole (0: none); for vias a is the diameter and b the drill.
// The style file writer and the board preview both read names through this one function.
struct StyleDimensions {
    std::string kind;  // first two characters, lower-cased
    PadShape shape = PadShape::None;
    double a = 0, b = 0, c = 0;
    std::string atext, btext, ctext;
};
StyleDimensions decodeStyleName(std::string_view name);

// The width in thousandths of a track style as the track records name it ("T" + the width
// text, "T12" or "T12.5"); false when what follows the T is not wholly a finite number.
bool trackStyleWidth(std::string_view name, double& width);

// Appends the pad or via records of one name; a kind ARES has no row for appends nothing.
void appendPadStyle(std::string& out, std::string_view name, std::string_view guard,
                    bool replicate);

// "TR<width>" becomes "ZT" and four digits, so that the byte order of the names is the numeric
// order of the widths.
void rewriteTrackNames(std::vector<std::string>& names);

// True when text starts with the two lines every style file of styleFileText starts with, each
// ended by CR LF, CR or LF: a file this program wrote, not a user's library.
bool startsAsWrittenStyleFile(std::string_view text);

// The whole style file for names already rewritten and sorted; perStyle runs before each pad
// or via record (the job turns its spinner there).
std::string styleFileText(const std::vector<std::string>& names, int guardgap, bool replicate,
                          const std::function<void()>& perStyle = {});

}  // namespace quorlin
