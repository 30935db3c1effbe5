// Byte-level text helpers shared by every reader and writer: lines, case, number text.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quorlin {

inline constexpr std::string_view kCrLf = "\r\n";

// Calls fn(line) for each line of data. A line ends at CR LF, a lone CR or a lone LF; a last
// line without an end is a line; empty data has no lines.
template <typename Fn>
void forEachLine(std::string_view data, Fn&& fn) {
    const char* p = data.data();
    const char* const last = p + data.size();
    while (p < last) {
        const char* end = p;
        // Bytes above CR are never line ends: one comparison for nearly every byte.
        while (end < last &&
               (static_cast<unsigned char>(*end) > '\r' || (*end != '\r' && *end != '\n')))
            ++end;
        fn(std::string_view(p, static_cast<size_t>(end - p)));
        p = end < last && *end == '\r' && end + 1 < last && end[1] == '\n' ? end + 2 : end + 1;
    }
}

std::vector<std::string_view> splitLines(std::string_view data);

// Lower-cases ASCII A-Z only, so no locale changes a result.
std::string lowerAscii(std::string_view s);
std::string upperAscii(std::string_view s);
// True when text, lower-cased as above, equals lower (a record keyword test).
bool equalsLowerAscii(std::string_view text, std::string_view lower);

// Signed number text: " 5", "-5", " .5", "-.25", " 123.456"; 15 significant digits, never an
// exponent, negative zero as " 0".
std::string numtext(double v);
void appendNumtext(std::string& out, double v);
// The same written at p, which has room for kNumtextRoom characters; returns the end. Lets a
// writer build a whole record before one append.
inline constexpr size_t kNumtextRoom = 341;
char* writeNumtext(char* p, double v);

// The same digits without the sign position: "5", "-5", ".5".
std::string plainnum(double v);

// Leading number of s (blanks skipped, optional sign, digits with an optional fraction and an
// exponent only when digits follow); 0 when nothing numeric stands there.
double lenient(std::string_view s);

// True when the whole of s (blanks trimmed) is such a number; the value goes to out.
bool strict(std::string_view s, double& out);

// Rounds halves to even.
double roundEven(double v);

// Converts to a whole number, saturating at the limits of int64; NaN reads 0.
int64_t toInt64(double v);

// Leading integer of s (optional sign and digits, no fraction); 0 when none. Saturates.
int64_t leadingInt(std::string_view s);

}  // namespace quorlin
