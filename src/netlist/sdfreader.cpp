#include "netlist/sdfreader.h"

#include <algorithm>
#include <array>

#include "util/number.h"
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

constexpr int64_t kReservedNets = 1 << 20;

// Blanks read as "_" everywhere in the file.
char unblank(char c) {
    return c == ' ' ? '_' : c;
}

// Whether text, its blanks read as "_", equals done (a text already read so).
bool sameUnblanked(std::string_view text, std::string_view done) {
    if (text.size() != done.size()) return false;
    for (size_t i = 0; i < text.size(); ++i)
        if (unblank(text[i]) != done[i]) return false;
    return true;
}

bool headerProbe(std::string_view probe) {
    static constexpr std::array<std::string_view, 10> kProbes = {
        "isis_sc", "=======", "design:", "doc._no", "revisio",
        "author:", "created", "modifie", "*proper", "*modeld"};
    return std::find(kProbes.begin(), kProbes.end(), probe) != kProbes.end();
}

}  // namespace

std::string_view SdfReader::keep(std::string_view text) {
    // Nearly every text has no blank and is viewed where it lies.
    if (text.find(' ') == std::string_view::npos) return text;
    return unblanked(text);
}

std::string_view SdfReader::unblanked(std::string_view text) {
    return netlist_.arena.store(text, unblank);
}

SdfReader::Fields SdfReader::fields(std::string_view line) {
    // Fields 1 and 3 of "ref,PS,pin", and whether they hold a blank, found in one pass.
    Fields f;
    const char* p = line.data();
    const char* const end = p + line.size();
    const char* const first = p;
    while (p < end && *p != ',') f.firstBlank |= *p++ == ' ';
    f.first = std::string_view(first, static_cast<size_t>(p - first));
    if (p < end) {
        ++p;
        while (p < end && *p != ',') ++p;
        if (p < end) {
            const char* const third = ++p;
            while (p < end && *p != ',') f.thirdBlank |= *p++ == ' ';
            f.third = std::string_view(third, static_cast<size_t>(p - third));
        }
    }
    return f;
}

void SdfReader::read(std::string_view data, const std::function<void()>& tick) {
    size_t lines = 0;
    forEachLine(data, [&](std::string_view text) {
        line(text);
        if (++lines % kTickLines == 0 && tick) tick();
    });
}

void SdfReader::line(std::string_view text) {
    // Past the header only a line led by "*", "_" or a blank is a section line, an empty line
    // or a blank line: any other goes straight to the state at hand. Nearly every line does.
    if (!inHeader_ && !text.empty() && text[0] != '*' && text[0] != '_' && text[0] != ' ') {
        record(text);
        return;
    }
    const bool blank = text.find_first_not_of(' ') == std::string_view::npos;
    // The first seven characters in lower case, blanks as "_", read without building a string.
    char probeText[7];
    const size_t probeSize = std::min<size_t>(text.size(), sizeof probeText);
    for (size_t i = 0; i < probeSize; ++i) {
        const char c = unblank(text[i]);
        probeText[i] = c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    }
    const std::string_view probe(probeText, probeSize);

    if (inHeader_ && headerProbe(probe)) return;
    if (probe == "*partli" || probe == "*netlis") {
        inHeader_ = false;
        state_ = probe == "*partli" ? State::PartList : State::NetList;
        // The net count the section gives, within reason: the nets are never moved as they come.
        // Only before the first net: room reserved again for every header would move them all.
        if (state_ == State::NetList && netlist_.nets.empty()) {
            const size_t nets =
                netlist_.nets.size() + static_cast<size_t>(std::clamp<int64_t>(
                                           leadingInt(commaField(text, 2)), 0, kReservedNets));
            netlist_.nets.reserve(nets);
            order_.reserve(nets);
        }
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
    record(text);
}

void SdfReader::sift() {
    // The order holds each net once: applied twice, it would hold none.
    if (sifted_) return;
    closeNet();
    order_.apply(netlist_.nets);
    sifted_ = true;
}

void SdfReader::record(std::string_view text) {
    switch (state_) {
        case State::PartList:
            ++partCount_;
            parts_.push_back(text);
            break;
        case State::NetList: {
            const std::string_view name = commaField(text, 1);
            addNet({name, name.find(' ') != std::string_view::npos, {}, false});
            break;
        }
        case State::FirstNode:
            if (sameUnblanked(commaField(text, 1), netlist_.nets.back().name)) break;
            addNode(fields(text));
            state_ = State::Nodes;
            break;
        case State::Nodes:
            addNode(fields(text));
            break;
        case State::None:
            break;
    }
}

void SdfReader::addNet(const Fields& f) {
    closeNet();
    netlist_.nets.push_back(
        {f.firstBlank ? unblanked(f.first) : f.first, netlist_.nodes.size(), 0});
    state_ = State::FirstNode;
}

void SdfReader::addNode(const Fields& f) {
    const std::string_view ref = f.firstBlank ? unblanked(f.first) : f.first;
    const std::string_view pin = f.thirdBlank ? unblanked(f.third) : f.third;
    netlist_.nodes.push_back({ref, pin});
    ++netlist_.nets.back().count;
    keys_.push_back(nodeKey(ref, pin));
}

void SdfReader::closeNet() {
    if (closed_ == netlist_.nets.size()) return;
    const size_t n = netlist_.nets.size() - 1;
    const std::span<NetNode> nodes = netlist_.nodesOf(netlist_.nets[n]);
    if (nodes.empty()) {
        order_.add(n, nullptr);
    } else {
        const NodeKey first = sortNet(nodes, keys_);
        order_.add(n, &first);
    }
    keys_.clear();
    closed_ = netlist_.nets.size();
}

}  // namespace quorlin
