#include "netlist/sdfreader.h"

#include <algorithm>
#include <array>

#include "netlist/sorter.h"
#include "util/text.h"

namespace quorlin {

namespace {

// Field n (1-based) of a ","-separated line; "" past the end.
std::string_view commaField(std::string_view line, int n) {
    size_t start = 0;
    for (int i = 1; i < n; ++i) {
        const size_t comma = line.find(',', start);
        if (comma == std::string_view::npos) return {};
        start = comma + 1;
    }
    const size_t end = line.find(',', start);
    return line.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start);
}

bool headerProbe(std::string_view probe) {
    static constexpr std::array<std::string_view, 10> kProbes = {
        "isis_sc", "=======", "design:", "doc._no", "revisio",
        "author:", "created", "modifie", "*proper", "*modeld"};
    return std::find(kProbes.begin(), kProbes.end(), probe) != kProbes.end();
}

}  // namespace

void SdfReader::line(std::string_view text) {
    const bool blank = text.find_first_not_of(' ') == std::string_view::npos;
    work_.assign(text);
    std::replace(work_.begin(), work_.end(), ' ', '_');
    const std::string probe = lowerAscii(std::string_view(work_).substr(0, 7));

    if (inHeader_ && headerProbe(probe)) return;
    if (probe == "*partli" || probe == "*netlis") {
        inHeader_ = false;
        state_ = probe == "*partli" ? State::PartList : State::NetList;
        return;
    }
    if (blank || probe == "_" || probe == "__") {
        // An empty line right after a header ends a net without nodes, so the next header is
        // not read as its node.
        if (state_ == State::Nodes || state_ == State::FirstNode) state_ = State::NetList;
        return;
    }
    if (probe == "*gates,") {
        state_ = State::None;
        return;
    }
    switch (state_) {
        case State::PartList:
            ++partCount_;
            break;
        case State::NetList:
            netlist_.nets.push_back({std::string(commaField(work_, 1)), {}});
            state_ = State::FirstNode;
            break;
        case State::FirstNode:
            if (commaField(work_, 1) == netlist_.nets.back().name) break;
            addNode(work_);
            state_ = State::Nodes;
            break;
        case State::Nodes:
            addNode(work_);
            break;
        case State::None:
            break;
    }
}

void SdfReader::addNode(std::string_view line) {
    const std::string_view ref = commaField(line, 1);
    const std::string_view pin = commaField(line, 3);
    netlist_.nets.back().nodes.push_back(
        {std::string(ref), std::string(pin), makesorter(ref, pin)});
    ++netlist_.nodeCount;
}

}  // namespace quorlin
