// Byte-level text helpers shared by every reader and writer: lines, case, number text.
#pragma once

#include <algorithm>
#include <bit>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace quorlin {

inline constexpr std::string_view kCrLf = "\r\n";

namespace detail {

// Where the CRs and the LFs of 64 bytes are: bit i stands for byte i.
struct LineEndBits {
    uint64_t cr = 0, lf = 0;
};

// One byte at a time.
inline LineEndBits lineEndBitsPlain(const char* p) {
    LineEndBits bits;
    for (int i = 0; i < 64; ++i) {
        bits.cr |= uint64_t{p[i] == '\r'} << i;
        bits.lf |= uint64_t{p[i] == '\n'} << i;
    }
    return bits;
}

// The same, sixteen bytes a step where the processor compares them at once.
inline LineEndBits lineEndBits(const char* p) {
#if defined(__SSE2__)
    const __m128i cr = _mm_set1_epi8('\r'), lf = _mm_set1_epi8('\n');
    LineEndBits bits;
    for (int i = 0; i < 4; ++i) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 16 * i));
        bits.cr |= uint64_t{static_cast<uint16_t>(_mm_movemask_epi8(_mm_cmpeq_epi8(v, cr)))}
                   << (16 * i);
        bits.lf |= uint64_t{static_cast<uint16_t>(_mm_movemask_epi8(_mm_cmpeq_epi8(v, lf)))}
                   << (16 * i);
    }
    return bits;
#else
    return lineEndBitsPlain(p);
#endif
}

// Where the blanks (spaces and tabs) of 64 bytes are: bit i stands for byte i.
inline uint64_t blankBits(const char* p) {
#if defined(__SSE2__)
    const __m128i space = _mm_set1_epi8(' '), tab = _mm_set1_epi8('\t');
    uint64_t bits = 0;
    for (int i = 0; i < 4; ++i) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 16 * i));
        const __m128i blank = _mm_or_si128(_mm_cmpeq_epi8(v, space), _mm_cmpeq_epi8(v, tab));
        bits |= uint64_t{static_cast<uint16_t>(_mm_movemask_epi8(blank))} << (16 * i);
    }
    return bits;
#else
    uint64_t bits = 0;
    for (int i = 0; i < 64; ++i) bits |= uint64_t{p[i] == ' ' || p[i] == '\t'} << i;
    return bits;
#endif
}

}  // namespace detail

// Calls fn(line) for each line of data. A line ends at CR LF, a lone CR or a lone LF; a last
// line without an end is a line; empty data has no lines. fn may rewrite the bytes of the line
// it is given, not those of any other.
template <typename Fn>
void forEachLine(std::string_view data, Fn&& fn) {
    const char* const base = data.data();
    const size_t size = data.size();
    size_t start = 0;
    size_t block = 0;
    // Whole blocks of 64 bytes: their line ends found at once, taken lowest first. Lines are
    // short, so most blocks end several.
    uint64_t crBefore = 0;  // whether the byte before the block is a CR
    for (; block + 64 <= size; block += 64) {
        const detail::LineEndBits bits = detail::lineEndBits(base + block);
        // An LF right after a CR ends no line of its own, and the line after the pair starts
        // past both.
        const uint64_t ends = bits.cr | (bits.lf & ~(bits.cr << 1 | crBefore));
        const uint64_t lfAfter = block + 64 < size && base[block + 64] == '\n';
        const uint64_t pairs = bits.cr & (bits.lf >> 1 | lfAfter << 63);
        crBefore = bits.cr >> 63;
        for (uint64_t left = ends; left != 0; left &= left - 1) {
            const int bit = std::countr_zero(left);
            const size_t at = block + static_cast<size_t>(bit);
            fn(std::string_view(base + start, at - start));
            start = at + 1 + ((pairs >> bit) & 1);
        }
    }
    // The last bytes one at a time; none of those before `block` ends a line.
    for (size_t at = std::max(start, block); start < size; at = start) {
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
