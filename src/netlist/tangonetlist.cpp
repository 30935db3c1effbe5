#include "netlist/tangonetlist.h"

#include <algorithm>

namespace quorlin {

namespace {

// First blank-separated word; only the blank separates (a tab is part of a word).
std::string_view firstWord(std::string_view s) {
    const size_t start = s.find_first_not_of(' ');
    if (start == std::string_view::npos) return {};
    const size_t end = s.find(' ', start);
    return s.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start);
}

bool blankLine(std::string_view s) {
    return s.find_first_not_of(' ') == std::string_view::npos;
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
    if (first == std::string_view::npos) return {std::string(firstWord(line)), {}, {}};
    std::string_view rest = line.substr(first + 1);
    rest = rest.substr(0, rest.find(sep));
    return {std::string(firstWord(line.substr(0, first))), std::string(firstWord(rest)), {}};
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
    std::string part = block_[0] + ',' + block_[2] + ',' + block_[3] +
                       ",EID=" + std::to_string(netlist_.parts.size() + 1);
    if (!stripPackages_) part += ",PACKAGE=" + block_[1];
    netlist_.parts.push_back(std::move(part));
}

void TangoNetlistReader::openNet() {
    netlist_.nets.emplace_back();
    netOpen_ = true;
    nameNext_ = true;
}

}  // namespace quorlin
