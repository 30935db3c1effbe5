// Byte-level text helpers shared by every reader and writer: lines and case.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quorlin {

inline constexpr std::string_view kCrLf = "\r\n";

// Calls fn(line) for each line of data. A line ends at CR LF, a lone CR or a lone LF; a last
// line without an end is a line; empty data has no lines. fn may rewrite the bytes of the line
// it is given, not those of any other.
template <typename Fn>
void forEachLine(std::string_view data, Fn&& fn) {
    const char* const base = data.data();
    const size_t size = data.size();
    for (size_t start = 0; start < size;) {
        size_t at = start;
        while (at < size && base[at] != '\r' && base[at] != '\n') ++at;
        fn(std::string_view(base + start, at - start));
        if (at == size) break;
        start = base[at] == '\r' && at + 1 < size && base[at + 1] == '\n' ? at + 2 : at + 1;
    }
}

// Lower-cases ASCII A-Z only, so no locale changes a result.
std::string lowerAscii(std::string_view s);
std::string upperAscii(std::string_view s);
// True when text, lower-cased as above, equals lower (a record keyword test).
bool equalsLowerAscii(std::string_view text, std::string_view lower);

}  // namespace quorlin
