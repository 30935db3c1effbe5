// The outline a pad or via style name gives, as SVG path data around the pad's centre.
#pragma once

#include <string>
#include <string_view>

namespace quorlin {

// Units of 1 um, Y down: the shape, and the hole as a second outline that the even-odd rule
// leaves open. hx and hy are the half sizes, in region units.
struct Outline {
    std::string d;
    double hx = 0, hy = 0;
};

// False when the name gives no shape ARES knows, or no size. Names are decoded as the style
// file writer decodes them.
bool outline(std::string_view style, Outline& o);

}  // namespace quorlin
