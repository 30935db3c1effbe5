#include "netlist/sorter.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <cstring>
#include <utility>

#include "netlist/linetext.h"
#include "util/text.h"

namespace quorlin {

namespace {

// How many records ahead a loop over scattered records asks for memory.
constexpr size_t kAhead = 8;

constexpr uint64_t kIndexMask = (uint64_t{1} << 48) - 1;
constexpr int kKeyBytes = 18;

// Eight bytes at p as a big-endian integer: integers then order as the bytes do, unsigned.
uint64_t bigEndian8(const char* p) {
    uint64_t v;
    std::memcpy(&v, p, sizeof v);
    if constexpr (std::endian::native == std::endian::little) v = __builtin_bswap64(v);
    return v;
}

bool less(const NodeKey& a, const NodeKey& b) {
    if (a.words[0] != b.words[0]) return a.words[0] < b.words[0];
    if (a.words[1] != b.words[1]) return a.words[1] < b.words[1];
    return a.words[2] < b.words[2];
}

size_t positionOf(const NodeKey& e) {
    return static_cast<size_t>(e.words[2] & kIndexMask);
}

NodeKey withPosition(NodeKey key, size_t position) {
    key.words[2] = (key.words[2] & ~kIndexMask) | position;
    return key;
}

// Keys with their load positions, sorted by key and stable, so by load position among equal
// keys: one radix pass a key byte, last byte first, and none for a byte all keys share (the
// "0" padding of most). Its cost does not hang on guessing the outcome of comparisons, as a
// comparison sort's does on keys in random order.
void sortByKey(std::vector<NodeKey>& entries) {
    if (entries.size() < 2) return;
    // The key bits where some entry differs from the first: bytes without any need no pass.
    const NodeKey& first = entries.front();
    uint64_t differ[3] = {0, 0, 0};
    for (const NodeKey& e : entries)
        for (int w = 0; w < 3; ++w) differ[w] |= e.words[w] ^ first.words[w];
    differ[2] &= ~kIndexMask;
    std::vector<NodeKey> moved(entries.size());
    std::array<size_t, 256> count;
    for (int b = kKeyBytes - 1; b >= 0; --b) {
        const int word = b / 8, shift = 56 - 8 * (b % 8);
        if (((differ[word] >> shift) & 0xFF) == 0) continue;
        count.fill(0);
        for (const NodeKey& e : entries) ++count[(e.words[word] >> shift) & 0xFF];
        size_t start = 0;
        for (size_t& c : count) start += std::exchange(c, start);
        for (const NodeKey& e : entries) moved[count[(e.words[word] >> shift) & 0xFF]++] = e;
        entries.swap(moved);
    }
}

}  // namespace

NodeKey nodeKey(std::string_view reference, std::string_view pin) {
    // The key bytes in room for whole words, the padding "0" written first.
    char key[24];
    std::memset(key, '0', sizeof key);
    // The reference's letter prefix; bytes compare unsigned, so 0x80 and above are not digits.
    const size_t n = reference.size();
    size_t k = 0;
    while (k<n&& static_cast<unsigned char>(reference[k])> '9') ++k;
    putText(key, std::string_view(reference.data(), std::min<size_t>(k, 6)));
    // The last six of the (at most 15) bytes after the prefix, and of the pin, right-aligned.
    const size_t numberEnd = std::min(n, k + 15);
    const size_t number = std::min<size_t>(numberEnd - k, 6);
    putText(key + 12 - number, std::string_view(reference.data() + numberEnd - number, number));
    const size_t pinSize = std::min<size_t>(pin.size(), 6);
    putText(key + 18 - pinSize, std::string_view(pin.data() + pin.size() - pinSize, pinSize));
    const uint64_t last =
        uint64_t{static_cast<unsigned char>(key[16])} << 8 | static_cast<unsigned char>(key[17]);
    return {{bigEndian8(key), bigEndian8(key + 8), last << 48}};
}

NodeKey sortNet(std::span<NetNode> nodes, std::span<NodeKey> keys) {
    // Sorting the keys with their positions and moving each node once spares the nodes the
    // moves of a sort; the position breaks ties, which makes the order stable.
    const size_t count = nodes.size();
    for (size_t i = 0; i < count; ++i) keys[i] = withPosition(keys[i], i);
    // Nets hold a few nodes: inserting each in place beats a general sort for them, and tells
    // whether anything moved.
    constexpr size_t kFew = 16;
    bool inOrder = true;
    if (count > kFew) {
        std::sort(keys.begin(), keys.end(), less);
        for (size_t i = 0; i < count; ++i) inOrder = inOrder && positionOf(keys[i]) == i;
    } else {
        for (size_t i = 1; i < count; ++i) {
            if (!less(keys[i], keys[i - 1])) continue;
            inOrder = false;
            const NodeKey moving = keys[i];
            size_t j = i;
            for (; j > 0 && less(moving, keys[j - 1]); --j) keys[j] = keys[j - 1];
            keys[j] = moving;
        }
    }
    if (!inOrder) {
        // Nodes are plain views: copied as bytes, through room nothing needs to initialise.
        if (count > kFew) {
            std::vector<NetNode> moved(count);
            for (size_t i = 0; i < count; ++i) moved[i] = nodes[positionOf(keys[i])];
            std::copy(moved.begin(), moved.end(), nodes.begin());
        } else {
            alignas(NetNode) unsigned char moved[kFew * sizeof(NetNode)];
            for (size_t i = 0; i < count; ++i)
                std::memcpy(moved + i * sizeof(NetNode), &nodes[positionOf(keys[i])],
                            sizeof(NetNode));
            for (size_t i = 0; i < count; ++i)
                std::memcpy(&nodes[i], moved + i * sizeof(NetNode), sizeof(NetNode));
        }
    }
    return keys[0];
}

void NetOrder::add(size_t n, const NodeKey* first) {
    if (first)
        first_.push_back(withPosition(*first, n));
    else
        empty_.push_back(n);
}

void NetOrder::apply(std::vector<Net>& nets) {
    sortByKey(first_);
    std::vector<Net> sorted;
    sorted.reserve(nets.size());
    for (size_t n : empty_) sorted.push_back(nets[n]);
    // Only the small net records move; the nodes stay where loading put them.
    for (size_t i = 0; i < first_.size(); ++i) {
        // The nets are taken in key order, all over memory: ask for later ones early.
        if (i + kAhead < first_.size()) __builtin_prefetch(&nets[positionOf(first_[i + kAhead])]);
        sorted.push_back(nets[positionOf(first_[i])]);
    }
    nets = std::move(sorted);
    empty_.clear();
    first_.clear();
}

void siftNetlist(Netlist& netlist) {
    NetOrder order;
    order.reserve(netlist.nets.size());
    std::vector<NodeKey> keys;
    for (size_t n = 0; n < netlist.nets.size(); ++n) {
        const std::span<NetNode> nodes = netlist.nodesOf(netlist.nets[n]);
        keys.clear();
        for (const NetNode& node : nodes) keys.push_back(nodeKey(node.ref, node.pin));
        if (nodes.empty()) {
            order.add(n, nullptr);
        } else {
            const NodeKey first = sortNet(nodes, keys);
            order.add(n, &first);
        }
    }
    order.apply(netlist.nets);
}

size_t singleNodeNets(const Netlist& netlist) {
    return static_cast<size_t>(std::count_if(netlist.nets.begin(), netlist.nets.end(),
                                             [](const Net& n) { return n.count == 1; }));
}

std::string sortedText(const Netlist& netlist) {
    std::string out;
    {
        // The exact size when the nets' nodes are all the netlist's nodes, as a reader leaves
        // them.
        size_t estimate = 0;
        for (const Net& net : netlist.nets) estimate += net.name.size() + 4;
        for (const NetNode& node : netlist.nodes) estimate += node.ref.size() + node.pin.size() + 3;
        OutputFill fill(out, estimate);
        const auto& nets = netlist.nets;
        for (size_t i = 0; i < nets.size(); ++i) {
            // Sorted nets keep their nodes where loading put them, and the nodes view their
            // texts where the input holds them: fetch both a few nets ahead, the texts of nearer
            // nets.
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
            char* p = putCrLf(fill.room(size));
            p = putCrLf(putText(p, net.name));
            for (const NetNode& node : nodes) {
                p = putText(p, node.ref);
                *p++ = '-';
                p = putCrLf(putText(p, node.pin));
            }
        }
    }
    return out;
}

}  // namespace quorlin
