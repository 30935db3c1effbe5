#include "util/text.h"

#include <locale.h>

#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace quorlin {

std::vector<std::string_view> splitLines(std::string_view data) {
    std::vector<std::string_view> lines;
    forEachLine(data, [&](std::string_view line) { lines.push_back(line); });
    return lines;
}

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

namespace {

// Plain decimal digits of |v| rounded to 15 significant digits, without exponent, trailing
// zeros or a leading zero before the point.
void appendMagnitude(std::string& out, double v) {
    if (std::isnan(v)) {
        out += "nan";
        return;
    }
    if (std::isinf(v)) {
        out += "inf";
        return;
    }
    if (v == 0) {
        out += '0';
        return;
    }
    char buf[64];
    auto res = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::scientific, 14);
    std::string_view sci(buf, static_cast<size_t>(res.ptr - buf));
    // sci is "d.dddddddddddddde[+-]xx"
    size_t epos = sci.find('e');
    int exp = 0;
    std::from_chars(sci.data() + epos + (sci[epos + 1] == '+' ? 2 : 1), sci.data() + sci.size(),
                    exp);
    std::string digits;
    digits += sci[0];
    for (size_t i = 2; i < epos; ++i) digits += sci[i];
    while (digits.size() > 1 && digits.back() == '0') digits.pop_back();
    // The decimal point stands after digit index exp (0-based) of the digits.
    const int point = exp + 1;
    const int nd = static_cast<int>(digits.size());
    if (point <= 0) {
        out += '.';
        out.append(static_cast<size_t>(-point), '0');
        out += digits;
    } else if (point >= nd) {
        out += digits;
        out.append(static_cast<size_t>(point - nd), '0');
    } else {
        out.append(digits, 0, static_cast<size_t>(point));
        out += '.';
        out.append(digits, static_cast<size_t>(point), std::string::npos);
    }
}

}  // namespace

void appendNumtext(std::string& out, double v) {
    out += std::signbit(v) && v != 0 && !std::isnan(v) ? '-' : ' ';
    appendMagnitude(out, std::fabs(v));
}

std::string numtext(double v) {
    std::string s;
    appendNumtext(s, v);
    return s;
}

std::string plainnum(double v) {
    std::string s;
    if (std::signbit(v) && v != 0 && !std::isnan(v)) s += '-';
    appendMagnitude(s, std::fabs(v));
    return s;
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

double convert(std::string_view num) {
    std::string_view body = num;
    if (!body.empty() && body[0] == '+') body.remove_prefix(1);
    double v = 0;
    auto res = std::from_chars(body.data(), body.data() + body.size(), v);
    if (res.ec == std::errc::result_out_of_range) {
        // Overflow or underflow: let the C library give the saturated or subnormal value.
        static locale_t c = newlocale(LC_ALL_MASK, "C", nullptr);
        std::string copy(num);
        v = strtod_l(copy.c_str(), nullptr, c);
    }
    return v;
}

}  // namespace

double lenient(std::string_view s) {
    size_t i = 0;
    while (i < s.size() && s[i] == ' ') ++i;
    s.remove_prefix(i);
    size_t len = scanNumber(s);
    if (len == 0) return 0;
    return convert(s.substr(0, len));
}

bool strict(std::string_view s, double& out) {
    while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
    while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
    size_t len = scanNumber(s);
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
