#include "util/number.h"

#include <fast_float/fast_float.h>

#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>

namespace quorlin {

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// The number at the start of s: an optional sign, digits with an optional fraction, then an
// exponent where digits follow it. fast_float reads it as std::from_chars does, but gives a
// value beyond the range of a double as infinity or zero (with its sign) instead of refusing
// it. False when s does not start with a number; its length goes to length.
bool readNumber(std::string_view s, double& out, size_t& length) {
    const bool plus = !s.empty() && s[0] == '+';
    const size_t body = !s.empty() && (plus || s[0] == '-') ? 1 : 0;
    // A sign is followed by digits or a point: neither a second sign nor "inf" or "nan".
    if (body == s.size() || !(isDigit(s[body]) || s[body] == '.')) return false;
    const char* const first = s.data() + (plus ? 1 : 0);
    const auto r = fast_float::from_chars(first, s.data() + s.size(), out);
    if (r.ec != std::errc()) return false;
    length = static_cast<size_t>(r.ptr - s.data());
    return true;
}

std::string_view trimBlanks(std::string_view s) {
    while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
    while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
    return s;
}

}  // namespace

double lenient(std::string_view s) {
    while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
    double v = 0;
    size_t length = 0;
    return readNumber(s, v, length) ? v : 0;
}

bool strict(std::string_view s, double& out) {
    s = trimBlanks(s);
    double v = 0;
    size_t length = 0;
    if (!readNumber(s, v, length) || length != s.size()) return false;
    out = v;
    return true;
}

bool exactNumber(std::string_view s, double& out) {
    const char* const end = s.data() + s.size();
    double v = 0;
    const auto r = std::from_chars(s.data(), end, v);
    if (r.ec != std::errc() || r.ptr != end || !std::isfinite(v)) return false;
    out = v;
    return true;
}

bool wholeDigits(std::string_view s, uint64_t& out, size_t max) {
    if (s.empty() || s.size() > max || s.size() > 19) return false;
    for (char c : s)
        if (!isDigit(c)) return false;
    std::from_chars(s.data(), s.data() + s.size(), out);
    return true;
}

int hexDigit(char c) {
    if (isDigit(c)) return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return 0;
}

int64_t leadingInt(std::string_view s) {
    const bool negative = !s.empty() && s[0] == '-';
    const size_t from = !s.empty() && (negative || s[0] == '+') ? 1 : 0;
    size_t to = from;
    while (to < s.size() && isDigit(s[to])) ++to;
    uint64_t v = 0;
    if (std::from_chars(s.data() + from, s.data() + to, v).ec == std::errc::result_out_of_range)
        v = std::numeric_limits<uint64_t>::max();
    constexpr uint64_t kMost = std::numeric_limits<int64_t>::max();
    if (v > kMost)
        return negative ? std::numeric_limits<int64_t>::min() : static_cast<int64_t>(kMost);
    return negative ? -static_cast<int64_t>(v) : static_cast<int64_t>(v);
}

double roundEven(double v) {
    return std::nearbyint(v);
}

double asWritten(double v) {
    char buf[32];
    const auto res = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::general, 15);
    std::from_chars(buf, res.ptr, v);
    return v;
}

int64_t toInt64(double v) {
    if (std::isnan(v)) return 0;
    if (v >= 9.2233720368547748e18) return std::numeric_limits<int64_t>::max();
    if (v <= -9.2233720368547758e18) return std::numeric_limits<int64_t>::min();
    return static_cast<int64_t>(v);
}

namespace {

// Significant digits of v (finite, above 0) rounded to 15 as %.15g rounds, without trailing
// zeros, into digits; returns how many and sets exp to the decimal exponent of the first one.
int roundedDigits(double v, char* digits, int& exp) {
    char buf[32];
    // The shortest text that reads back as v is the cheapest to make: when it has at most 15
    // digits, rounding v to 15 digits gives those same digits (any 15-digit decimal survives a
    // trip through a normal double). Longer ones, and subnormals, are rounded from the exact
    // value.
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

// Writes the plain decimal digits of v (not below zero, or NaN) rounded to 15 significant
// digits, without exponent, trailing zeros or a leading zero before the point, at p, which has
// room for kNumtextRoom - 1 characters; returns the end.
char* writeMagnitude(char* p, double v) {
    // Whole numbers below 10^15, most numbers of every output file, are their own digits; those
    // below 2^32, nearly all, take the cheaper 32-bit divisions.
    if (v < 1e15) {
        const auto whole = static_cast<uint64_t>(v);
        if (static_cast<double>(whole) == v)
            return whole <= UINT32_MAX ? std::to_chars(p, p + 16, static_cast<uint32_t>(whole)).ptr
                                       : std::to_chars(p, p + 16, whole).ptr;
    }
    if (std::isnan(v)) return std::copy_n("nan", 3, p);
    if (std::isinf(v)) return std::copy_n("inf", 3, p);
    char digits[20];
    int exp = 0;
    const size_t n = static_cast<size_t>(roundedDigits(v, digits, exp));
    // The decimal point stands after digit index exp (0-based) of the digits.
    const long point = exp + 1;
    if (point <= 0) {
        *p++ = '.';
        p = std::fill_n(p, -point, '0');
        return std::copy_n(digits, n, p);
    }
    const auto whole = static_cast<size_t>(point);
    if (whole >= n) return std::fill_n(std::copy_n(digits, n, p), whole - n, '0');
    p = std::copy_n(digits, whole, p);
    *p++ = '.';
    return std::copy_n(digits + whole, n - whole, p);
}

}  // namespace

void appendNumtext(std::string& out, double v) {
    char buf[kNumtextRoom];
    // Negative zero and NaN are not below zero: they take the blank.
    buf[0] = v < 0 ? '-' : ' ';
    out.append(buf, writeMagnitude(buf + 1, std::fabs(v)));
}

std::string numtext(double v) {
    std::string s;
    appendNumtext(s, v);
    return s;
}

std::string plainnum(double v) {
    char buf[kNumtextRoom];
    char* p = buf;
    if (v < 0) *p++ = '-';
    return std::string(buf, writeMagnitude(p, std::fabs(v)));
}

namespace {

// Writes (whole.fraction) / 100 from the digits of a decimal: no leading zero before the point,
// no trailing zero after it, zero as "0" without a sign.
void appendHundredth(std::string& out, std::string_view whole, std::string_view fraction,
                     bool minus) {
    while (!whole.empty() && whole.front() == '0') whole.remove_prefix(1);
    while (!fraction.empty() && fraction.back() == '0') fraction.remove_suffix(1);
    // The last two whole digits move behind the point, padded with zeros in front.
    const size_t cut = whole.size() >= 2 ? whole.size() - 2 : 0;
    char moved[2] = {'0', '0'};
    whole.substr(cut).copy(moved + 2 - (whole.size() - cut), 2);
    whole = whole.substr(0, cut);
    const size_t kept = !fraction.empty() ? 2 : moved[1] != '0' ? 2 : moved[0] != '0' ? 1 : 0;
    if (whole.empty() && kept == 0) {
        out += '0';
        return;
    }
    if (minus) out += '-';
    out.append(whole);
    if (kept == 0) return;
    out += '.';
    out.append(moved, kept).append(fraction);
}

}  // namespace

void appendMicrometres(std::string& out, double units) {
    const double n = roundEven(units);
    if (!(std::fabs(n) < 1e15)) {
        out += plainnum(n / 100);
        return;
    }
    char buf[16];
    const auto whole = static_cast<uint64_t>(std::fabs(n));
    const char* const end = std::to_chars(buf, buf + sizeof buf, whole).ptr;
    appendHundredth(out, std::string_view(buf, static_cast<size_t>(end - buf)), {}, n < 0);
}

void appendMicrometresOfText(std::string& out, std::string_view text, double value, bool negate) {
    const bool minus = !text.empty() && text.front() == '-';
    std::string_view digits = text.substr(minus ? 1 : 0);
    const size_t point = digits.find('.');
    const std::string_view whole = digits.substr(0, point);
    const std::string_view fraction =
        point == std::string_view::npos ? std::string_view() : digits.substr(point + 1);
    const auto allDigits = [](std::string_view d) {
        for (char c : d)
            if (!isDigit(c)) return false;
        return true;
    };
    const bool plain = whole.size() + fraction.size() > 0 && allDigits(whole) &&
                       allDigits(fraction) &&
                       (point == std::string_view::npos || text.size() < kNumtextRoom);
    if (!plain) {
        out += plainnum((negate ? -value : value) / 100);
        return;
    }
    appendHundredth(out, whole, fraction, minus != negate);
}

void appendCount(std::string& out, uint64_t n) {
    char buf[20];
    out.append(buf, std::to_chars(buf, buf + sizeof buf, n).ptr);
}

std::string countText(uint64_t n) {
    std::string s;
    appendCount(s, n);
    return s;
}

}  // namespace quorlin
