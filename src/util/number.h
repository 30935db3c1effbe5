// All number text: reading fields leniently or strictly, reading whole digits, and writing the
// signed number text, micrometres and counts; with the one conversion of thousandths of an inch
// to region units. Locale-independent throughout.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace quorlin {

// ---- Units

// Region units (10 nm) in a thousandth of an inch.
inline constexpr double kRegionUnitsPerThousandth = 2540;

// Tango thousandths of an inch to region units.
inline double toRegionUnits(double thousandths) {
    return thousandths * kRegionUnitsPerThousandth;
}

// Region units to thousandths of an inch.
inline double toThousandths(double units) {
    return units / kRegionUnitsPerThousandth;
}

// ---- Reading

// Leading number of s (blanks skipped, optional sign, digits with an optional fraction and an
// exponent only when digits follow); 0 when nothing numeric stands there. Beyond the range of a
// double it reads as infinity, below it as zero, either with its sign.
double lenient(std::string_view s);

// True when the whole of s (blanks trimmed) is such a number; the value goes to out.
bool strict(std::string_view s, double& out);

// True when the whole of s is a finite number as C++ writes one: no blanks, no "+", no value
// beyond the range of a double in either direction. The reading of generated files.
bool exactNumber(std::string_view s, double& out);

// True when s is one to max decimal digits and nothing else; their value goes to out.
bool wholeDigits(std::string_view s, uint64_t& out, size_t max = 19);

// The value of a hex digit, either case; 0 for any other character.
int hexDigit(char c);

// Leading integer of s (optional sign and digits, no fraction); 0 when none. Saturates.
int64_t leadingInt(std::string_view s);

// ---- Rounding

// The value a reader of v's number text gets back: v rounded to 15 significant digits.
double asWritten(double v);

// Rounds halves to even.
double roundEven(double v);

// Converts to a whole number, saturating at the limits of int64; NaN reads 0.
int64_t toInt64(double v);

// ---- Writing

// Signed number text: " 5", "-5", " .5", "-.25", " 123.456"; 15 significant digits, never an
// exponent, negative zero as " 0".
std::string numtext(double v);
void appendNumtext(std::string& out, double v);
// The longest such text: 309 digits of the largest double, or a point, 323 zeros and 15 digits
// of the smallest, after the sign.
inline constexpr size_t kNumtextRoom = 341;

// The same digits without the sign position: "5", "-5", ".5".
std::string plainnum(double v);

// A length in region units, rounded to whole units (halves to even), as micrometres: the digits
// plainnum gives for units / 100 ("-12.3", ".05", "0").
void appendMicrometres(std::string& out, double units);

// A number as a generated file has it, in region units, as micrometres: the point of its text
// moved two places, every digit kept; negated when negate is set. A text with an exponent (or
// longer than any number text) is written from value as plainnum writes value / 100.
void appendMicrometresOfText(std::string& out, std::string_view text, double value, bool negate);

// The decimal digits of a count.
void appendCount(std::string& out, uint64_t n);
std::string countText(uint64_t n);

}  // namespace quorlin
