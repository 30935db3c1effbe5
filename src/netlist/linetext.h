// Writing the short texts netlist lines are made of, straight into an output buffer.
#pragma once

#include <algorithm>
#include <cstring>
#include <string>
#include <string_view>

#include "util/bigbuffer.h"

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

// Fills a large output record by record. The buffer is sized once for the whole output, as
// estimated, and grows only where the estimate falls short: a record costs no lengthening of
// the string (and no zeroing of its bytes) of its own.
class OutputFill {
  public:
    OutputFill(std::string& out, size_t estimate) : out_(out), used_(out.size()) {
        reserveLarge(out_, used_ + estimate);
        out_.resize(used_ + estimate);
    }
    OutputFill(const OutputFill&) = delete;
    OutputFill& operator=(const OutputFill&) = delete;
    // The output ends where the records written end.
    ~OutputFill() { out_.resize(used_); }

    // Room for the next n bytes, which the caller fills.
    char* room(size_t n) {
        if (out_.size() - used_ < n) out_.resize(std::max(2 * out_.size(), used_ + n));
        char* const p = out_.data() + used_;
        used_ += n;
        return p;
    }
    void append(std::string_view text) { putText(room(text.size()), text); }

  private:
    std::string& out_;
    size_t used_;
};

}  // namespace quorlin
