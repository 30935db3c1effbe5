// UTF-8 as the readers of our outputs take it: an XML reader refuses some characters, and a
// terminal obeys control bytes. The texts come from the user's files, which anyone may write.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace quorlin {

// The length of the UTF-8 sequence that starts at text[i] (2 to 4), by its lead and
// continuation bytes; 0 when there is none there (an ASCII byte included).
size_t utf8Length(std::string_view text, size_t i);

// True for a sequence of utf8Length bytes that XML forbids: an overlong form, a surrogate,
// U+FFFE, U+FFFF, or a code past U+10FFFF.
bool forbiddenInXml(std::string_view sequence);

// The text with its control bytes (C0 but line feed and tab, DEL, the C1 controls and bytes
// that are not UTF-8) written as \xNN, so that a terminal shows them instead of obeying them.
std::string escapedControls(std::string_view text);

}  // namespace quorlin
