// Arcs drawn as graphic lines: the chord rule shared by free arcs and component guide arcs.
#pragma once

#include <string>
#include <string_view>

namespace quorlin::objects {

// Appends the chords of an arc (Tango thousandths and degrees) as "GRAPHIC <layer> LINE 4"
// records. False, with nothing written, when a value is not finite.
bool appendArcChords(std::string& out, std::string_view layer, double radius, double start,
                     double sweep, double cx, double cy);

}  // namespace quorlin::objects
