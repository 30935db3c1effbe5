// Texts of a region file put into an SVG document.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace quorlin {

// Text for XML: markup characters escaped, bytes that are not UTF-8 read as Latin-1, control
// characters (not allowed in XML) as '?', characters XML forbids as U+FFFD (their count is
// returned). In a comment no "--" may stand.
size_t appendXml(std::string& out, std::string_view s, bool comment);

}  // namespace quorlin
