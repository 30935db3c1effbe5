// How large the region file of a board may grow, so its buffer is reserved once.
#pragma once

#include <cstddef>

#include "tango/primitives.h"

namespace quorlin {

// A generous estimate of the bytes the region writers append for these sets: each record's
// output lines at a fixed length, and arcs by the segments they are cut into.
size_t regionSizeEstimate(const PrimitiveSets& sets);

}  // namespace quorlin
