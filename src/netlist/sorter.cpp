#include "netlist/sorter.h"

#include <algorithm>

#include "util/text.h"

namespace quorlin {

namespace {

// The last `width` bytes of text (all of it when shorter) right-aligned in key[at, at + width).
void putRight(NodeKey& key, size_t at, size_t width, std::string_view text) {
    const size_t n = std::min(text.size(), width);
    std::copy_n(text.end() - static_cast<std::ptrdiff_t>(n), n, key.begin() + at + width - n);
}

}  // namespace

NodeKey nodeKey(std::string_view reference, std::string_view pin) {
    NodeKey key;
    key.fill('0');
    // The reference's letter prefix; bytes compare unsigned, so 0x80 and above are not digits.
    size_t k = 0;
    while (k < reference.size() && static_cast<unsigned char>(reference[k]) > '9') ++k;
    std::copy_n(reference.begin(), std::min<size_t>(k, 6), key.begin());
    // The last six of the (at most 15) bytes after the prefix, and of the pin, right-aligned.
    putRight(key, 6, 6, reference.substr(k, 15));
    putRight(key, 12, 6, pin);
    return key;
}

NodeKey sortNet(std::span<NetNode> nodes, std::span<NodeKey> keys) {
    // The keys with their positions: positions break ties, so the order is stable without the
    // buffer a stable sort allocates, and each node is moved once. The room is kept for the
    // next net of this thread.
    thread_local std::vector<std::pair<NodeKey, size_t>> order;
    thread_local std::vector<NetNode> moved;
    order.clear();
    for (size_t i = 0; i < nodes.size(); ++i) order.emplace_back(keys[i], i);
    std::sort(order.begin(), order.end());
    moved.assign(nodes.begin(), nodes.end());
    for (size_t i = 0; i < nodes.size(); ++i) nodes[i] = moved[order[i].second];
    return order.front().first;
}

void NetOrder::add(size_t n, const NodeKey* first) {
    if (first)
        first_.emplace_back(*first, n);
    else
        empty_.push_back(n);
}

void NetOrder::apply(std::vector<Net>& nets) {
    std::stable_sort(first_.begin(), first_.end(),
                     [](const auto& x, const auto& y) { return x.first < y.first; });
    std::vector<Net> sorted;
    sorted.reserve(nets.size());
    for (size_t n : empty_) sorted.push_back(nets[n]);
    for (const auto& [key, n] : first_) sorted.push_back(nets[n]);
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
    // The exact size when the nets' nodes are all the netlist's nodes, as a reader leaves them.
    size_t size = 0;
    for (const Net& net : netlist.nets) size += net.name.size() + 4;
    for (const NetNode& node : netlist.nodes) size += node.ref.size() + node.pin.size() + 3;
    std::string out;
    out.reserve(size);
    for (const Net& net : netlist.nets) {
        // Per net an empty line, its name and "ref-pin" lines.
        out.append(kCrLf).append(net.name).append(kCrLf);
        for (const NetNode& node : netlist.nodesOf(net))
            out.append(node.ref).append("-").append(node.pin).append(kCrLf);
    }
    return out;
}

}  // namespace quorlin
