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

constexpr int64_t kReservedNodes = 64;
constexpr int64_t kReservedNets = 1 << 20;

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
    // The first seven characters in lower case, read without building a string.
    char probeText[7];
    const size_t probeSize = std::min<size_t>(work_.size(), sizeof probeText);
    for (size_t i = 0; i < probeSize; ++i) {
        const char c = work_[i];
        probeText[i] = c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    }
    const std::string_view probe(probeText, probeSize);

    if (inHeader_ && headerProbe(probe)) return;
    if (probe == "*partli" || probe == "*netlis") {
        inHeader_ = false;
        state_ = probe == "*partli" ? State::PartList : State::NetList;
        // The net count the section gives, within reason: the nets are never moved as they come.
        if (state_ == State::NetList)
            netlist_.nets.reserve(netlist_.nets.size() +
                                  static_cast<size_t>(std::clamp<int64_t>(
                                      leadingInt(commaField(work_, 2)), 0, kReservedNets)));
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
            // Room for the node count the header gives, within reason: one allocation a net.
            netlist_.nets.back().nodes.reserve(static_cast<size_t>(
                std::clamp<int64_t>(leadingInt(commaField(work_, 2)), 0, kReservedNodes)));
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
    // Fields 1 and 3 of "ref,PS,pin" found in one pass.
    const size_t first = line.find(',');
    const size_t second = first == std::string_view::npos ? first : line.find(',', first + 1);
    const std::string_view ref = line.substr(0, first);
    std::string_view pin;
    if (second != std::string_view::npos) {
        pin = line.substr(second + 1);
        pin = pin.substr(0, pin.find(','));
    }
    netlist_.nets.back().nodes.push_back({std::string(ref), std::string(pin)});
    ++netlist_.nodeCount;
}

}  // namespace quorlin
