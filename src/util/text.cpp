#include "util/text.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>

namespace quorlin {

std::string lowerAscii(std::string_view s) {
    std::string r(s);
    for (char& c : r)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return r;
}

std::string upperAscii(std::string_view s) {
    std::string r(s);
    for (char& c : r)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return r;
}

bool equalsLowerAscii(std::string_view text, std::string_view lower) {
    if (text.size() != lower.size()) return false;
    for (size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        if (c != lower[i]) return false;
    }
    return true;
}

namespace {

// Significant digits of v (finite, above 0, not a whole number below 10^15) rounded to 15 as
// %.15g rounds, without trailing zeros, into digits; returns how many and sets exp to the decimal
// exponent of the first one.
int roundedDigits(double v, char* digits, int& exp) {
    char buf[32];
    // The shortest text that reads back as v: when it has at most 15 digits, rounding v to 15
    // digits gives those same digits (any 15-digit decimal survives a trip through a normal
    // double). Longer ones, and subnormals, are rounded from the exact value.
    auto res = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::scientific);
    const char* e =
        static_cast<const char*>(std::memchr(buf, 'e', static_cast<size_t>(res.ptr - buf)));
    const int shortest = e - buf > 1 ? static_cast<int>(e - buf) - 1 : 1;
    if (shortest > 15 || !std::isnormal(v)) {
        res = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::scientific, 14);
        e = static_cast<const char*>(std::memchr(buf, 'e', static_cast<size_t>(res.ptr - buf)));
    }
    // buf is "d.ddde[+-]xx" or "de[+-]xx".
    std::from_chars(e + (e[1] == '+' ? 2 : 1), res.ptr, exp);
    int nd = 0;
    digits[nd++] = buf[0];
    for (const char* p = buf + 2; p < e; ++p) digits[nd++] = *p;
    while (nd > 1 && digits[nd - 1] == '0') --nd;
    return nd;
}

// Two-digit groups "00" to "99", so a whole number costs one division per two digits.
constexpr char kDigitPairs[] =
    "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
    "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
    "8081828384858687888990919293949596979899";

// Digits of u: a few comparisons for the 32-bit values nearly every number is.
size_t digitCount(uint32_t u) {
    if (u < 100000) {
        if (u < 100) return u < 10 ? 1 : 2;
        return u < 1000 ? 3 : u < 10000 ? 4 : 5;
    }
    if (u < 10000000) return u < 1000000 ? 6 : 7;
    return u < 100000000 ? 8 : u < 1000000000 ? 9 : 10;
}

// Whole numbers at least 2^32 have at least ten digits.
size_t digitCount(uint64_t u) {
    size_t n = 10;
    for (uint64_t bound = 10000000000; n < 20 && u >= bound; bound *= 10) ++n;
    return n;
}

template <typename U>
char* writeDigits(char* p, U u) {
    char* const end = p + digitCount(u);
    char* b = end;
    while (u >= 100) {
        const unsigned r = static_cast<unsigned>(u % 100);
        u /= 100;
        b -= 2;
        std::memcpy(b, kDigitPairs + 2 * r, 2);
    }
    if (u >= 10) {
        std::memcpy(b - 2, kDigitPairs + 2 * u, 2);
    } else {
        b[-1] = static_cast<char>('0' + u);
    }
    return end;
}

// Numbers below 10^8, most coordinates: the eight digits (leading zeros included) are made side
// by side in one 64-bit word, four-digit halves split into pairs and pairs into digits by
// multiplications, then the leading zeros are shifted out and the word stored at once. Writes
// eight bytes at p whatever the length, within the room every caller has.
char* writeBelow1e8(char* p, uint32_t u) {
    // The first four digits in the low half: the first digit lands in the lowest byte.
    uint64_t x = (u / 10000) | (static_cast<uint64_t>(u % 10000) << 32);
    // x / 100 of each half is (x * 5243) >> 19 below 10^4; the remainder goes 16 bits up.
    const uint64_t hundreds = ((x * 5243) >> 19) & 0x0000007F0000007Full;
    x = hundreds | ((x - hundreds * 100) << 16);
    // x / 10 of each pair is (x * 103) >> 10 below 100; the remainder goes a byte up.
    const uint64_t tens = ((x * 103) >> 10) & 0x000F000F000F000Full;
    x = tens | ((x - tens * 10) << 8);
    // Leading zero digits are the low zero bytes; zero itself keeps its one digit.
    const int zeros = u == 0 ? 7 : std::countr_zero(x) / 8;
    x = (x | 0x3030303030303030ull) >> (8 * zeros);
    std::memcpy(p, &x, 8);
    return p + (8 - zeros);
}

char* writeWhole(char* p, uint64_t u) {
    if constexpr (std::endian::native == std::endian::little) {
        if (u < 100000000) return writeBelow1e8(p, static_cast<uint32_t>(u));
    }
    return u <= 0xFFFFFFFFu ? writeDigits(p, static_cast<uint32_t>(u)) : writeDigits(p, u);
}

// Longest magnitude text: 309 digits of the largest double, or a point, 323 zeros and 15 digits
// of the smallest.
constexpr size_t kMagnitudeRoom = kNumtextRoom - 1;

// The magnitude of any value that is not a whole number below 10^15; kept out of line so the
// whole numbers pay nothing for it.
[[gnu::noinline]] char* writeOtherMagnitude(char* p, double v) {
    if (std::isnan(v)) return std::copy_n("nan", 3, p);
    if (std::isinf(v)) return std::copy_n("inf", 3, p);
    char digits[20];
    int exp = 0;
    const int nd = roundedDigits(v, digits, exp);
    // The decimal point stands after digit index exp (0-based) of the digits.
    const int point = exp + 1;
    const size_t n = static_cast<size_t>(nd);
    if (point <= 0) {
        *p++ = '.';
        p = std::fill_n(p, -point, '0');
        return std::copy_n(digits, n, p);
    }
    if (point >= nd) {
        p = std::copy_n(digits, n, p);
        return std::fill_n(p, point - nd, '0');
    }
    p = std::copy_n(digits, point, p);
    *p++ = '.';
    return std::copy_n(digits + point, n - static_cast<size_t>(point), p);
}

// Writes the plain decimal digits of |v| rounded to 15 significant digits, without exponent,
// trailing zeros or a leading zero before the point, at p; returns the end.
char* writeMagnitude(char* p, double v) {
    // Whole numbers below 10^15 are their own digits: most numbers of every output file.
    if (v < 1e15) {
        const auto whole = static_cast<int64_t>(v);
        if (static_cast<double>(whole) == v) return writeWhole(p, static_cast<uint64_t>(whole));
    }
    return writeOtherMagnitude(p, v);
}

}  // namespace

char* writeNumtext(char* p, double v) {
    // Negative zero and NaN are not below zero: they take the blank.
    *p = v < 0 ? '-' : ' ';
    return writeMagnitude(p + 1, std::fabs(v));
}

void appendNumtext(std::string& out, double v) {
    char buf[kNumtextRoom];
    out.append(buf, static_cast<size_t>(writeNumtext(buf, v) - buf));
}

std::string numtext(double v) {
    std::string s;
    appendNumtext(s, v);
    return s;
}

std::string plainnum(double v) {
    char buf[kMagnitudeRoom + 1];
    char* p = buf;
    if (v < 0) *p++ = '-';
    return std::string(buf, writeMagnitude(p, std::fabs(v)));
}

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// Length of the number at the start of s (after any sign), or 0 when none.
size_t scanNumber(std::string_view s) {
    size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
    size_t intDigits = 0;
    while (i < s.size() && isDigit(s[i])) ++i, ++intDigits;
    size_t fracDigits = 0;
    if (i < s.size() && s[i] == '.') {
        size_t j = i + 1;
        while (j < s.size() && isDigit(s[j])) ++j, ++fracDigits;
        if (intDigits + fracDigits > 0) i = j;
    }
    if (intDigits + fracDigits == 0) return 0;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        size_t j = i + 1;
        if (j < s.size() && (s[j] == '+' || s[j] == '-')) ++j;
        if (j < s.size() && isDigit(s[j])) {
            while (j < s.size() && isDigit(s[j])) ++j;
            i = j;
        }
    }
    return i;
}

// Plain decimals of at most 15 digits and no exponent, as most fields are: the digits as a
// whole number are exact in a double, and so is the power of ten, so one division rounds
// correctly, as from_chars does.
bool convertShort(std::string_view num, double& out) {
    static constexpr double kPowers[] = {1,   1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                         1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
    size_t i = 0;
    const bool negative = !num.empty() && num[0] == '-';
    if (!num.empty() && (num[0] == '-' || num[0] == '+')) ++i;
    uint64_t digits = 0;
    int count = 0, fraction = -1;
    for (; i < num.size(); ++i) {
        const char c = num[i];
        if (c == '.' && fraction < 0) {
            fraction = 0;
            continue;
        }
        if (!isDigit(c) || ++count > 15) return false;
        digits = digits * 10 + static_cast<uint64_t>(c - '0');
        if (fraction >= 0) ++fraction;
    }
    const double v = static_cast<double>(digits) / kPowers[fraction < 0 ? 0 : fraction];
    out = negative ? -v : v;
    return true;
}

// A number from_chars found out of range: beyond the largest double, it is infinity; below half
// the least subnormal, zero; either with its sign, as the C library gives them. Nothing between
// is out of range, so the place of the first significant digit decides.
double saturated(std::string_view num) {
    const bool negative = !num.empty() && num[0] == '-';
    long lead = 0;  // power of ten of the first nonzero digit
    bool found = false, fraction = false;
    size_t i = negative ? 1 : 0;
    for (; i < num.size() && (isDigit(num[i]) || num[i] == '.'); ++i) {
        if (num[i] == '.') {
            fraction = true;
        } else if (found) {
            if (!fraction) ++lead;
        } else if (fraction) {
            --lead;
            found = num[i] != '0';
        } else if (num[i] != '0') {
            found = true;
        }
    }
    long exponent = 0;
    if (i < num.size() && (num[i] == 'e' || num[i] == 'E')) {
        const bool down = i + 1 < num.size() && num[i + 1] == '-';
        for (i += (i + 1 < num.size() && (num[i + 1] == '-' || num[i + 1] == '+')) ? 2 : 1;
             i < num.size() && isDigit(num[i]); ++i)
            exponent = std::min(exponent * 10 + (num[i] - '0'), 1000000L);
        if (down) exponent = -exponent;
    }
    const double v = found && lead + exponent > 0 ? std::numeric_limits<double>::infinity() : 0.0;
    return negative ? -v : v;
}

double convert(std::string_view num) {
    double v = 0;
    if (convertShort(num, v)) return v;
    std::string_view body = num;
    if (!body.empty() && body[0] == '+') body.remove_prefix(1);
    auto res = std::from_chars(body.data(), body.data() + body.size(), v);
    if (res.ec == std::errc::result_out_of_range) v = saturated(body);
    return v;
}

// The number at the start of s in one pass, when it is a plain decimal of at most 15 digits with
// no exponent, as nearly every field is; its length goes to len. Read as convertShort reads it.
// False leaves the general rules to decide (and sets nothing).
bool quickNumber(std::string_view s, size_t& len, double& out) {
    static constexpr double kPowers[] = {1,   1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                         1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
    const size_t n = s.size();
    size_t i = 0;
    const bool negative = n > 0 && s[0] == '-';
    if (n > 0 && (s[0] == '-' || s[0] == '+')) ++i;
    uint64_t digits = 0;
    const size_t whole = i;
    // Wraps past 19 digits, but more than 15 are refused below anyway.
    for (; i < n && isDigit(s[i]); ++i) digits = digits * 10 + static_cast<uint64_t>(s[i] - '0');
    size_t count = i - whole, fraction = 0;
    if (i < n && s[i] == '.') {
        const size_t first = ++i;
        for (; i < n && isDigit(s[i]); ++i)
            digits = digits * 10 + static_cast<uint64_t>(s[i] - '0');
        fraction = i - first;
        count += fraction;
    }
    if (count == 0 || count > 15 || (i < n && (s[i] == 'e' || s[i] == 'E'))) return false;
    const double v = static_cast<double>(digits) / kPowers[fraction];
    out = negative ? -v : v;
    len = i;
    return true;
}

}  // namespace

double lenient(std::string_view s) {
    size_t i = 0;
    while (i < s.size() && s[i] == ' ') ++i;
    s.remove_prefix(i);
    double v = 0;
    size_t len = 0;
    if (quickNumber(s, len, v)) return v;
    len = scanNumber(s);
    if (len == 0) return 0;
    return convert(s.substr(0, len));
}

bool strict(std::string_view s, double& out) {
    while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
    while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
    size_t len = 0;
    if (quickNumber(s, len, out)) return len == s.size();
    len = scanNumber(s);
    if (len == 0 || len != s.size()) return false;
    out = convert(s);
    return true;
}

double roundEven(double v) {
    return std::nearbyint(v);
}

int64_t toInt64(double v) {
    if (std::isnan(v)) return 0;
    if (v >= 9.2233720368547748e18) return std::numeric_limits<int64_t>::max();
    if (v <= -9.2233720368547758e18) return std::numeric_limits<int64_t>::min();
    return static_cast<int64_t>(v);
}

int64_t leadingInt(std::string_view s) {
    size_t i = 0;
    bool neg = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) neg = s[i++] == '-';
    int64_t v = 0;
    const int64_t cap = std::numeric_limits<int64_t>::max() / 10 - 10;
    for (; i < s.size() && isDigit(s[i]); ++i) {
        if (v < cap) v = v * 10 + (s[i] - '0');
    }
    return neg ? -v : v;
}

}  // namespace quorlin
