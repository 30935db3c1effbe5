#include "netlist/tangonetlist.h"

#include <algorithm>

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

bool blankLine(std::string_view s) {
    for (char c : s)
        if (c != ' ') return false;
    return true;
}

}  // namespace

NetNode parseTangoNode(std::string_view line) {
    // Some netlisters write "C1,2" instead of "C1-2"; a "-" anywhere keeps the usual split.
    char sep = '-';
    size_t first = line.find(sep);
    if (first == std::string_view::npos) {
        sep = ',';
        first = line.find(sep);
    }
    if (first == std::string_view::npos) return {std::string(firstWord(line)), {}};
    std::string_view rest = line.substr(first + 1);
    rest = rest.substr(0, rest.find(sep));
    return {std::string(firstWord(line.substr(0, first))), std::string(firstWord(rest))};
}

void TangoNetlistReader::line(std::string_view text) {
    if (nameNext_) {
        nameNext_ = false;
        std::string& name = netlist_.nets.back().name;
        name.assign(text);
        std::replace(name.begin(), name.end(), ' ', '_');
        std::replace(name.begin(), name.end(), ',', '-');
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
        if (partOpen_ && block_.size() < kBlockLines) block_.emplace_back(text);
        // An empty line names no part and no pin; as a node it would be a corrupt SDF line.
        if (netOpen_ && !blankLine(text)) {
            netlist_.nets.back().nodes.push_back(parseTangoNode(text));
            ++netlist_.nodeCount;
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
    block_.clear();
}

void TangoNetlistReader::closePart() {
    partOpen_ = false;
    block_.resize(kBlockLines);
    for (auto& l : block_) std::replace(l.begin(), l.end(), ',', '-');
    std::string& part = netlist_.parts.emplace_back();
    part.reserve(block_[0].size() + block_[1].size() + block_[2].size() + block_[3].size() + 40);
    part.append(block_[0]).append(",").append(block_[2]).append(",").append(block_[3]);
    part.append(",EID=").append(std::to_string(netlist_.parts.size()));
    if (!stripPackages_) part.append(",PACKAGE=").append(block_[1]);
}

void TangoNetlistReader::openNet() {
    netlist_.nets.emplace_back();
    // Most nets join a few pins: one allocation for them instead of three.
    netlist_.nets.back().nodes.reserve(4);
    netOpen_ = true;
    nameNext_ = true;
}

}  // namespace quorlin
