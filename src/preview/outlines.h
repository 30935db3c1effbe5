// The outline a pad or via style name gives, as SVG path data around the pad's centre.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "styles/padshapes.h"

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

// Pieces of an outline, sizes in thousandths: a circle of a diameter, a polygon around the
// centre (Y up), a rectangle of a by b. Each grows hx and hy to hold it.
void circle(Outline& o, double diameter);
void polygon(Outline& o, const std::vector<Vertex>& vertices);
void rectangle(Outline& o, double a, double b);

}  // namespace quorlin
