// Tango "text" records to ARES text records.
#pragma once

#include <string>
#include <string_view>

namespace quorlin {

// The region line for one Tango text record (without line end): size, rotation and mirror,
// anchor shift and character width. Empty for an empty record and for a layer that has no ARES
// code (such a record must not be written as a text without a layer).
std::string convtext(std::string_view textline);

}  // namespace quorlin
