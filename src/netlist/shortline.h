// Finding the separators of a short netlist line with one load instead of a loop a byte.
#pragma once

#include <bit>
#include <cstddef>
#include <cstring>
#include <string_view>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace quorlin {

// Nearly every node and net header line of a netlist is this short or shorter.
inline constexpr size_t kShortLine = 16;

// A line of at most kShortLine bytes, with the kShortLine bytes from its start readable (the
// input goes on after it): they are compared at once, and those past the line left out. mask(c) has
// bit i set where byte i of the line is c.
class ShortLine {
  public:
    // Only for a line that fits().
    explicit ShortLine(std::string_view line)
        : size_(line.size()), inLine_((1u << line.size()) - 1) {
#if defined(__SSE2__)
        bytes_ = _mm_loadu_si128(reinterpret_cast<const __m128i*>(line.data()));
#else
        std::memcpy(bytes_, line.data(), line.size());
#endif
    }

    // Whether line can be read so: short enough, and not among the last bytes of the input.
    static bool fits(std::string_view line, const char* readableEnd) {
        return line.size() <= kShortLine &&
               static_cast<size_t>(readableEnd - line.data()) >= kShortLine;
    }

    unsigned mask(char c) const {
#if defined(__SSE2__)
        const __m128i hit = _mm_cmpeq_epi8(bytes_, _mm_set1_epi8(c));
        return static_cast<unsigned>(_mm_movemask_epi8(hit)) & inLine_;
#else
        unsigned bits = 0;
        for (size_t i = 0; i < size_; ++i) bits |= unsigned{bytes_[i] == c} << i;
        return bits & inLine_;
#endif
    }

    // Bit i set where byte i of the line is above c, compared unsigned.
    unsigned above(unsigned char c) const {
#if defined(__SSE2__)
        const __m128i least = _mm_set1_epi8(static_cast<char>(c + 1));
        const __m128i hit = _mm_cmpeq_epi8(_mm_max_epu8(bytes_, least), bytes_);
        return static_cast<unsigned>(_mm_movemask_epi8(hit)) & inLine_;
#else
        unsigned bits = 0;
        for (size_t i = 0; i < size_; ++i)
            bits |= unsigned{static_cast<unsigned char>(bytes_[i]) > c} << i;
        return bits & inLine_;
#endif
    }

    size_t size() const {
        return size_;
    }

  private:
    size_t size_;
    unsigned inLine_;
#if defined(__SSE2__)
    __m128i bytes_;
#else
    char bytes_[kShortLine] = {};
#endif
};

// The set bits of mask from bit `from` up to (not including) bit `to` (to <= 16).
inline unsigned bitsBetween(unsigned mask, size_t from, size_t to) {
    return mask & ((1u << to) - 1) & ~((1u << from) - 1);
}

// The lowest set bit of a non-zero mask.
inline size_t lowestBit(unsigned mask) {
    return static_cast<size_t>(std::countr_zero(mask));
}

}  // namespace quorlin
