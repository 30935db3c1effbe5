#include "netlist/sorter.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>

#include "util/bigbuffer.h"
#include "util/text.h"

namespace quorlin {

namespace {

using Key = std::array<char, 18>;

// How many records ahead a loop over scattered records asks for memory.
constexpr size_t kAhead = 8;

// The last six characters of "000000" followed by s, written at p.
char* writeRight6(char* p, std::string_view s) {
    size_t i = 0;
    for (; i + s.size() < 6; ++i) *p++ = '0';
    for (size_t j = s.size() - (6 - i); j < s.size(); ++j) *p++ = s[j];
    return p;
}

Key sortKey(std::string_view reference, std::string_view pin) {
    // Bytes compare unsigned, so 0x80 and above are not digits.
    size_t k = 0;
    while (k < reference.size() && static_cast<unsigned char>(reference[k]) > '9') ++k;
    const std::string_view prefix = reference.substr(0, std::min<size_t>(k, 6));
    const std::string_view number = reference.substr(k, 15);

    Key key;
    char* p = key.data();
    for (char c : prefix) *p++ = c;
    for (size_t i = prefix.size(); i < 6; ++i) *p++ = '0';
    p = writeRight6(p, number);
    writeRight6(p, pin);
    return key;
}

}  // namespace

std::string makesorter(std::string_view reference, std::string_view pin) {
    const Key key = sortKey(reference, pin);
    return std::string(key.data(), key.size());
}

void siftNetlist(Netlist& netlist) {
    // Nodes within a net by key, load position breaking ties (a stable order); then nets by
    // their first key, a net without nodes before any, load position breaking ties again.
    // Sorting small entries and moving each record once spares the records the moves of a
    // sort. Keys are made here, once a node, and held as big-endian integers, whose order is
    // the unsigned byte order.
    struct Entry {
        uint64_t high, middle;
        uint32_t low;
        bool hasNodes;
        size_t index;
    };
    auto load = [](const char* p, size_t n) {
        uint64_t v = 0;
        for (size_t i = 0; i < n; ++i) v = v << 8 | static_cast<unsigned char>(p[i]);
        return v;
    };
    auto entry = [&](const Key& key, bool hasNodes, size_t index) {
        return Entry{load(key.data(), 8), load(key.data() + 8, 8),
                     static_cast<uint32_t>(load(key.data() + 16, 2)), hasNodes, index};
    };
    auto less = [](const Entry& a, const Entry& b) {
        if (a.hasNodes != b.hasNodes) return !a.hasNodes;
        if (a.high != b.high) return a.high < b.high;
        if (a.middle != b.middle) return a.middle < b.middle;
        if (a.low != b.low) return a.low < b.low;
        return a.index < b.index;
    };

    std::vector<Entry> order, nodeOrder;
    std::vector<NetNode> moved;
    order.reserve(netlist.nets.size());
    for (size_t n = 0; n < netlist.nets.size(); ++n) {
        const std::span<NetNode> nodes = netlist.nodesOf(netlist.nets[n]);
        nodeOrder.clear();
        for (size_t i = 0; i < nodes.size(); ++i)
            nodeOrder.push_back(entry(sortKey(nodes[i].ref, nodes[i].pin), true, i));
        // Nets hold a few nodes: inserting each in place beats a general sort, and tells
        // whether anything moved.
        bool inOrder = true;
        if (nodeOrder.size() > 16) {
            std::sort(nodeOrder.begin(), nodeOrder.end(), less);
            for (size_t i = 0; i < nodeOrder.size(); ++i)
                inOrder = inOrder && nodeOrder[i].index == i;
        } else {
            for (size_t i = 1; i < nodeOrder.size(); ++i) {
                if (!less(nodeOrder[i], nodeOrder[i - 1])) continue;
                inOrder = false;
                const Entry moving = nodeOrder[i];
                size_t j = i;
                for (; j > 0 && less(moving, nodeOrder[j - 1]); --j)
                    nodeOrder[j] = nodeOrder[j - 1];
                nodeOrder[j] = moving;
            }
        }
        if (!inOrder) {
            moved.clear();
            for (const Entry& e : nodeOrder) moved.push_back(nodes[e.index]);
            std::copy(moved.begin(), moved.end(), nodes.begin());
        }
        Entry first = nodeOrder.empty() ? entry(Key{}, false, n) : nodeOrder.front();
        first.index = n;
        order.push_back(first);
    }
    std::sort(order.begin(), order.end(), less);
    // Only the small net records move; the nodes stay where loading put them.
    std::vector<Net> sorted;
    sorted.reserve(netlist.nets.size());
    for (const Entry& e : order) sorted.push_back(netlist.nets[e.index]);
    netlist.nets = std::move(sorted);
}

size_t singleNodeNets(const Netlist& netlist) {
    return static_cast<size_t>(std::count_if(netlist.nets.begin(), netlist.nets.end(),
                                             [](const Net& n) { return n.count == 1; }));
}

std::string sortedText(const Netlist& netlist) {
    std::string out;
    // Room for the usual short names at once; longer ones grow the buffer as needed.
    reserveLarge(out, netlist.nets.size() * 32 + netlist.nodes.size() * 24);
    const auto& nets = netlist.nets;
    for (size_t i = 0; i < nets.size(); ++i) {
        // Sorted nets keep their nodes where loading put them: fetch them a few nets ahead.
        if (i + kAhead < nets.size())
            __builtin_prefetch(netlist.nodes.data() + nets[i + kAhead].first);
        const Net& net = nets[i];
        out.append(kCrLf).append(net.name).append(kCrLf);
        for (const NetNode& node : netlist.nodesOf(net)) {
            // The usual short line is made aside and appended once.
            char line[64];
            const size_t n = node.ref.size() + node.pin.size() + 3;
            if (n > sizeof line) {
                out.append(node.ref).append("-").append(node.pin).append(kCrLf);
                continue;
            }
            char* p = std::copy(node.ref.begin(), node.ref.end(), line);
            *p++ = '-';
            p = std::copy(node.pin.begin(), node.pin.end(), p);
            *p++ = '\r';
            *p = '\n';
            out.append(line, n);
        }
    }
    return out;
}

}  // namespace quorlin
