// Writing the short texts netlist lines are made of, straight into an output buffer.
#pragma once

#include <cstring>
#include <string>
#include <string_view>

namespace quorlin {

// Writes s at p and returns its end. Texts of up to 16 bytes, nearly all of them, take at
// most two overlapping moves of a fixed size, made in place instead of by a library call.
inline char* putText(char* p, std::string_view s) {
    const char* const q = s.data();
    const size_t n = s.size();
    if (n > 16) {
        std::memcpy(p, q, n);
    } else if (n >= 8) {
        std::memcpy(p, q, 8);
        std::memcpy(p + n - 8, q + n - 8, 8);
    } else if (n >= 4) {
        std::memcpy(p, q, 4);
        std::memcpy(p + n - 4, q + n - 4, 4);
    } else if (n > 0) {
        p[0] = q[0];
        p[n / 2] = q[n / 2];
        p[n - 1] = q[n - 1];
    }
    return p + n;
}

inline char* putCrLf(char* p) {
    p[0] = '\r';
    p[1] = '\n';
    return p + 2;
}

// Lengthens out by n bytes and returns where they start, for the caller to fill.
inline char* extend(std::string& out, size_t n) {
    const size_t at = out.size();
    out.resize(at + n);
    return out.data() + at;
}

}  // namespace quorlin
