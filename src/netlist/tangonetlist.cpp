#include "netlist/tangonetlist.h"

#include <algorithm>
#include <cstring>
#include <utility>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "netlist/shortline.h"
#include "util/text.h"

namespace quorlin {

namespace {

// First blank-separated word; only the blank separates (a tab is part of a word).
std::string_view firstWord(std::string_view s) {
    size_t start = 0;
    while (start < s.size() && s[start] == ' ') ++start;
    size_t end = start;
    while (end < s.size() && s[end] != ' ') ++end;
    return s.substr(start, end - start);
}

// Where the first c in s is, or s.size(): a plain loop, as lines of nodes are short.
size_t position(std::string_view s, char c) {
    size_t i = 0;
    while (i < s.size() && s[i] != c) ++i;
    return i;
}

// How often each of a and b occurs in s, in one pass over it.
std::pair<size_t, size_t> countBytes(std::string_view s, char a, char b) {
    size_t na = 0, nb = 0, i = 0;
#if defined(__SSE2__)
    // Sixteen bytes a step, counted in byte lanes (a match subtracts -1) that are summed up
    // before any can pass 255.
    const __m128i va = _mm_set1_epi8(a), vb = _mm_set1_epi8(b), zero = _mm_setzero_si128();
    auto total = [&](__m128i lanes) {
        const __m128i sums = _mm_sad_epu8(lanes, zero);
        return static_cast<size_t>(_mm_cvtsi128_si32(sums)) +
               static_cast<size_t>(_mm_cvtsi128_si32(_mm_unpackhi_epi64(sums, sums)));
    };
    while (s.size() - i >= 16) {
        __m128i la = zero, lb = zero;
        for (int step = 0; step < 255 && s.size() - i >= 16; ++step, i += 16) {
            const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s.data() + i));
            la = _mm_sub_epi8(la, _mm_cmpeq_epi8(v, va));
            lb = _mm_sub_epi8(lb, _mm_cmpeq_epi8(v, vb));
        }
        na += total(la);
        nb += total(lb);
    }
#endif
    for (; i < s.size(); ++i) {
        na += s[i] == a;
        nb += s[i] == b;
    }
    return {na, nb};
}

// Net names read blanks as "_" and commas as "-", which would split the SDF line.
char nameChar(char c) {
    return c == ' ' ? '_' : c == ',' ? '-' : c;
}

bool blankLine(std::string_view s) {
    for (char c : s)
        if (c != ' ') return false;
    return true;
}

}  // namespace

NetNode parseTangoNode(std::string_view line) {
    // Some netlisters write "C1,2" instead of "C1-2"; a "-" anywhere keeps the usual split.
    // Parts without a blank are their own first word: the usual line is read in one pass.
    char sep = '-';
    size_t first = 0;
    bool blank = false;
    while (first < line.size() && line[first] != sep) blank |= line[first++] == ' ';
    if (first == line.size()) {
        sep = ',';
        first = position(line, sep);
    }
    if (first == line.size()) return {firstWord(line), {}};
    const std::string_view head = line.substr(0, first);
    std::string_view rest = line.substr(first + 1);
    size_t end = 0;
    bool restBlank = false;
    while (end < rest.size() && rest[end] != sep) restBlank |= rest[end++] == ' ';
    rest = rest.substr(0, end);
    return {blank ? firstWord(head) : head, restBlank ? firstWord(rest) : rest};
}

void TangoNetlistReader::reserve(std::string_view input) {
    // Every net and part opens with a line led by "(" or "[": counting those bytes is quick
    // and never counts too few.
    netlist_.reserveNodes(input);
    const auto [nets, parts] = countBytes(input, '(', '[');
    netlist_.nets.reserve(netlist_.nets.size() + nets);
    netlist_.parts.reserve(netlist_.parts.size() + parts);
}

void TangoNetlistReader::read(std::string_view data, const std::function<void()>& tick) {
    const char* const end = data.data() + data.size();
    size_t lines = 0;
    forEachLine(data, [&](std::string_view text) {
        // Nearly every line is a node of an open net, outside any part block, short and
        // without blanks: its separators are found at once.
        const char lead = text.empty() ? '[' : text[0];
        if (netOpen_ && !partOpen_ && !nameNext_ && lead != '[' && lead != ']' && lead != '(' &&
            lead != ')' && ShortLine::fits(text, end)) {
            const ShortLine shortLine(text);
            // "C1,2" where no "-" splits the line.
            unsigned separators = shortLine.mask('-');
            if (separators == 0) separators = shortLine.mask(',');
            if (separators != 0 && shortLine.mask(' ') == 0) {
                const size_t first = lowestBit(separators);
                const unsigned later = separators & (separators - 1);
                const size_t restEnd = later != 0 ? lowestBit(later) : text.size();
                netlist_.nodes.push_back(
                    {text.substr(0, first), text.substr(first + 1, restEnd - first - 1)});
                ++netlist_.nets.back().count;
            } else {
                line(text);
            }
        } else {
            line(text);
        }
        if (++lines % kTickLines == 0 && tick) tick();
    });
}

void TangoNetlistReader::line(std::string_view text) {
    if (nameNext_) {
        nameNext_ = false;
        // Most names need no rewriting and are viewed where they lie.
        netlist_.nets.back().name = text.find_first_of(" ,") == std::string_view::npos
                                        ? text
                                        : netlist_.arena.store(text, nameChar);
        return;
    }
    const char lead = text.empty() ? '\0' : text[0];
    if (lead == '[') {
        openPart();
    } else if (lead == ']') {
        if (partOpen_) closePart();
    } else if (lead == '(') {
        openNet();
    } else if (lead == ')') {
        netOpen_ = false;
    } else {
        if (partOpen_ && blockLines_ < block_.lines.size()) block_.lines[blockLines_++] = text;
        // An empty line names no part and no pin; as a node it would be a corrupt SDF line.
        // Nodes go to the last net opened, so they extend its range.
        if (netOpen_ && !blankLine(text)) {
            netlist_.nodes.push_back(parseTangoNode(text));
            ++netlist_.nets.back().count;
        }
    }
}

void TangoNetlistReader::finish() {
    nameNext_ = false;
    netOpen_ = false;
    if (partOpen_) closePart();
}

void TangoNetlistReader::openPart() {
    if (partOpen_) closePart();
    ++partCount_;
    partOpen_ = true;
    block_ = {};
    blockLines_ = 0;
}

void TangoNetlistReader::closePart() {
    partOpen_ = false;
    netlist_.parts.push_back(block_);
}

void TangoNetlistReader::openNet() {
    netlist_.nets.push_back({{}, netlist_.nodes.size(), 0});
    netOpen_ = true;
    nameNext_ = true;
}

}  // namespace quorlin
