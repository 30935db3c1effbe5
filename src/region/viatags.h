// Plane-connection tags of vias and pads: a small text on the keep-out layer beside the centre.
#pragma once

#include <string>
#include <string_view>

#include "util/fields.h"

namespace quorlin {

class PcbJob;

namespace objects {

// True for the plane-connection codes "pd", "pt", "gd" and "gt" in any case.
bool isPlaneCode(std::string_view code);

// The tag of a centre at (x, y) thousandths, one thousandth up and right of it.
void appendPlaneTag(std::string& out, double x, double y, std::string_view code);

// The via tags of the objects section, when the via tag option is checked.
void writeViaPlaneTags(PcbJob& s, std::string& rgn);

}  // namespace objects
}  // namespace quorlin
