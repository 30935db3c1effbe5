#include "netlist/tangonetlist.h"

#include <algorithm>
#include <cstring>
#include <utility>

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
    const auto count = [&](char c) { return static_cast<size_t>(std::ranges::count(input, c)); };
    netlist_.nets.reserve(netlist_.nets.size() + count('('));
    netlist_.parts.reserve(netlist_.parts.size() + count('['));
}

void TangoNetlistReader::read(std::string_view data, const std::function<void()>& tick) {
    size_t lines = 0;
    forEachLine(data, [&](std::string_view text) {
        line(text);
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
