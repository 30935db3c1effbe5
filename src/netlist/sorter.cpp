#include "netlist/sorter.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <cstring>
#include <utility>

#include "netlist/linetext.h"
#include "util/bigbuffer.h"
#include "util/text.h"

namespace quorlin {

namespace {

using Key = std::array<char, 18>;

// How many records ahead a loop over scattered records asks for memory.
constexpr size_t kAhead = 8;

// The last min(n, 6) characters of s, right-aligned in the six at p (the rest stays "0").
void putRight6(char* p, std::string_view s) {
    const size_t n = std::min<size_t>(s.size(), 6);
    putText(p + 6 - n, s.substr(s.size() - n));
}

Key sortKey(std::string_view reference, std::string_view pin) {
    // Bytes compare unsigned, so 0x80 and above are not digits.
    size_t k = 0;
    while (k < reference.size() && static_cast<unsigned char>(reference[k]) > '9') ++k;
    Key key;
    key.fill('0');
    putText(key.data(), reference.substr(0, std::min<size_t>(k, 6)));
    putRight6(key.data() + 6, reference.substr(k, 15));
    putRight6(key.data() + 12, pin);
    return key;
}

// Eight bytes at p as a big-endian integer: integers then order as the bytes do, unsigned.
uint64_t bigEndian8(const char* p) {
    uint64_t v;
    std::memcpy(&v, p, sizeof v);
    if constexpr (std::endian::native == std::endian::little) v = __builtin_bswap64(v);
    return v;
}

// A sort key as big-endian integers, whose order is the unsigned byte order, and a load
// position: the last two key bytes share a word with the position, which never reaches 2^48.
struct Entry {
    uint64_t high, middle, lowIndex;
};
constexpr uint64_t kIndexMask = (uint64_t{1} << 48) - 1;
constexpr int kKeyBytes = 18;

// Byte b (0 first) of an entry's key.
unsigned keyByte(const Entry& e, int b) {
    const uint64_t word = b < 8 ? e.high : b < 16 ? e.middle : e.lowIndex;
    return static_cast<unsigned>(word >> (56 - 8 * (b % 8))) & 0xFF;
}

// Entries made in load order, sorted by key and stable, so by load position among equal keys:
// one radix pass a key byte, last byte first, and none for a byte all keys share (the "0"
// padding of most). Its cost does not hang on guessing the outcome of comparisons, as a
// comparison sort's does on keys in random order.
void sortByKey(std::vector<Entry>& entries) {
    if (entries.size() < 2) return;
    // The key bits where some entry differs from the first: bytes without any need no pass.
    const Entry& first = entries.front();
    Entry differ{0, 0, 0};
    for (const Entry& e : entries) {
        differ.high |= e.high ^ first.high;
        differ.middle |= e.middle ^ first.middle;
        differ.lowIndex |= e.lowIndex ^ first.lowIndex;
    }
    differ.lowIndex &= ~kIndexMask;
    std::vector<int> passes;
    for (int b = kKeyBytes - 1; b >= 0; --b)
        if (keyByte(differ, b) != 0) passes.push_back(b);
    std::vector<std::array<size_t, 256>> counts(passes.size());
    for (const Entry& e : entries)
        for (size_t i = 0; i < passes.size(); ++i) ++counts[i][keyByte(e, passes[i])];
    std::vector<Entry> moved(entries.size());
    for (size_t i = 0; i < passes.size(); ++i) {
        const int b = passes[i];
        auto& count = counts[i];
        size_t start = 0;
        for (size_t& c : count) start += std::exchange(c, start);
        for (const Entry& e : entries) moved[count[keyByte(e, b)]++] = e;
        entries.swap(moved);
    }
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
    // sort. Keys are made here, once a node.
    auto entry = [](const Key& key, size_t index) {
        const uint64_t low = uint64_t{static_cast<unsigned char>(key[16])} << 8 |
                             static_cast<unsigned char>(key[17]);
        return Entry{bigEndian8(key.data()), bigEndian8(key.data() + 8), low << 48 | index};
    };
    auto less = [](const Entry& a, const Entry& b) {
        if (a.high != b.high) return a.high < b.high;
        if (a.middle != b.middle) return a.middle < b.middle;
        return a.lowIndex < b.lowIndex;
    };

    // Nets without nodes come first as they are; only the others are sorted.
    std::vector<Net> sorted;
    sorted.reserve(netlist.nets.size());
    std::vector<Entry> order, nodeOrder;
    std::vector<NetNode> moved;
    order.reserve(netlist.nets.size());
    for (size_t n = 0; n < netlist.nets.size(); ++n) {
        if (netlist.nets[n].count == 0) {
            sorted.push_back(netlist.nets[n]);
            continue;
        }
        const std::span<NetNode> nodes = netlist.nodesOf(netlist.nets[n]);
        nodeOrder.clear();
        for (size_t i = 0; i < nodes.size(); ++i)
            nodeOrder.push_back(entry(sortKey(nodes[i].ref, nodes[i].pin), i));
        // Nets hold a few nodes: inserting each in place beats a general sort, and tells
        // whether anything moved.
        bool inOrder = true;
        if (nodeOrder.size() > 16) {
            std::sort(nodeOrder.begin(), nodeOrder.end(), less);
            for (size_t i = 0; i < nodeOrder.size(); ++i)
                inOrder = inOrder && (nodeOrder[i].lowIndex & kIndexMask) == i;
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
            for (const Entry& e : nodeOrder) moved.push_back(nodes[e.lowIndex & kIndexMask]);
            std::copy(moved.begin(), moved.end(), nodes.begin());
        }
        Entry first = nodeOrder.front();
        first.lowIndex = (first.lowIndex & ~kIndexMask) | n;
        order.push_back(first);
    }
    sortByKey(order);
    // Only the small net records move; the nodes stay where loading put them.
    for (size_t i = 0; i < order.size(); ++i) {
        // The nets are taken in key order, all over memory: ask for later ones early.
        if (i + kAhead < order.size())
            __builtin_prefetch(&netlist.nets[order[i + kAhead].lowIndex & kIndexMask]);
        sorted.push_back(netlist.nets[order[i].lowIndex & kIndexMask]);
    }
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
        // Sorted nets keep their nodes where loading put them, and the nodes view their texts
        // where the input holds them: fetch both a few nets ahead, the texts of nearer nets.
        if (i + 2 * kAhead < nets.size()) {
            // All the cache lines of the net's nodes, as far as a few lines go.
            const Net& ahead = nets[i + 2 * kAhead];
            const char* const from =
                reinterpret_cast<const char*>(netlist.nodes.data() + ahead.first);
            const size_t bytes = std::min<size_t>(ahead.count, 8) * sizeof(NetNode);
            for (size_t b = 0; b < bytes; b += 64) __builtin_prefetch(from + b);
            if (bytes > 0) __builtin_prefetch(from + bytes - 1);
        }
        if (i + kAhead < nets.size()) {
            // A net's lines lie together in the input, its name first: the two cache lines
            // from the name hold the usual net whole.
            const Net& ahead = nets[i + kAhead];
            __builtin_prefetch(ahead.name.data());
            __builtin_prefetch(ahead.name.data() + 64);
            if (ahead.count > 0) __builtin_prefetch(netlist.nodes[ahead.first].ref.data());
        }
        // Per net an empty line, its name and "ref-pin" lines, written at once.
        const Net& net = nets[i];
        const std::span<const NetNode> nodes = netlist.nodesOf(net);
        size_t size = net.name.size() + 4;
        for (const NetNode& node : nodes) size += node.ref.size() + node.pin.size() + 3;
        char* p = putCrLf(extend(out, size));
        p = putCrLf(putText(p, net.name));
        for (const NetNode& node : nodes) {
            p = putText(p, node.ref);
            *p++ = '-';
            p = putCrLf(putText(p, node.pin));
        }
    }
    return out;
}

}  // namespace quorlin
