// The numbers of the board preview: its unit is the micrometre, a hundred region units, as
// renderers limit a pen's width (Qt to 32767 units) and a wide track is 100000 region units.
#pragma once

#include <string>

namespace quorlin {

// Thousandths of an inch in region units.
double regionUnits(double thousandths);
// A length or place computed in region units, rounded to whole ones, in micrometres:
// "-12.3", ".05", "0".
void appendMicrons(std::string& out, double units);
// A place as the region file gives it, in micrometres, every digit kept.
void appendScaled(std::string& out, double units);
// Any other number: a font size, an angle, millimetres.
void appendPlain(std::string& out, double v);

}  // namespace quorlin
