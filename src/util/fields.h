// Field splitting of delimited lines: the general getfield and a split-once view of a record.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quorlin {

// n = -1 trims `delim` characters from both ends (the caller's line loses its leading ones);
// n = 0 or below -1 gives the field count as digits; 1..8000 gives field n; above 8000 "".
// A blank or empty delim splits at runs of blanks and becomes " ".
std::string getfield(std::string& line, long n, std::string& delim);

// Convenience for callers that keep their arguments.
std::string getfield(std::string_view line, long n, std::string_view delim);

// A blank-separated record split once. Fields are numbered from 1; a number below 1 or past the
// last field reads as an empty field.
class Fields {
  public:
    Fields() = default;
    explicit Fields(std::string_view line) { assign(line); }

    void assign(std::string_view line);

    long count() const { return static_cast<long>(count_); }
    std::string_view line() const { return line_; }
    std::string_view operator[](long n) const {
        if (n < 1 || n > count()) return {};
        const size_t k = static_cast<size_t>(n - 1);
        const Span& s = k < kInline ? inline_[k] : more_[k - kInline];
        return line_.substr(s.start, s.size);
    }

    // Lenient number of field n (0 when not numeric or missing).
    double num(long n) const;
    // Strict number of field n; false when the field is not wholly a number.
    bool strictNum(long n, double& out) const;

  private:
    struct Span {
        uint32_t start, size;
    };
    // Records rarely have more fields than this: they are split without allocating.
    static constexpr size_t kInline = 24;
    void add(size_t start, size_t size) {
        const Span s{static_cast<uint32_t>(start), static_cast<uint32_t>(size)};
        if (count_ < kInline)
            inline_[count_] = s;
        else
            more_.push_back(s);
        ++count_;
    }

    std::string_view line_;
    size_t count_ = 0;
    std::array<Span, kInline> inline_;
    std::vector<Span> more_;  // fields past kInline
};

}  // namespace quorlin
