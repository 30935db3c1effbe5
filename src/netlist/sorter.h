// Canonical order of a netlist, independent of its net names.
#pragma once

#include <array>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "netlist/model.h"

namespace quorlin {

// The 18-character key of a node: the reference's letter prefix padded right with "0" to 6,
// its number and the pin each right-aligned with "0" to 6 ("R12", "2" -> "R00000000012000002").
// Keys order as their bytes do, unsigned.
using NodeKey = std::array<unsigned char, 18>;
NodeKey nodeKey(std::string_view reference, std::string_view pin);

// Sorts a net's nodes by key, stable; keys[i] is the key of nodes[i], and keys is left in
// disorder. Returns the key of the node now first.
NodeKey sortNet(std::span<NetNode> nodes, std::span<NodeKey> keys);

// The order of a netlist's nets: by the key of their first node, a net without nodes before any,
// load position breaking ties.
class NetOrder {
  public:
    void reserve(size_t nets) { first_.reserve(nets); }
    // Net n, its nodes sorted, with the key of its first node (none for a net without nodes);
    // nets are added in load order.
    void add(size_t n, const NodeKey* first);
    // Puts the nets in order, each of which must have been added once; the order is then
    // empty again.
    void apply(std::vector<Net>& nets);

  private:
    std::vector<size_t> empty_;
    std::vector<std::pair<NodeKey, size_t>> first_;
};

// Nodes within each net by key, then nets by their first node's key (a net without nodes
// first). Both sorts are stable, so equal keys keep their load order.
void siftNetlist(Netlist& netlist);

size_t singleNodeNets(const Netlist& netlist);

// The sorted copy for inspection: per net an empty line, its name, then "ref-pin" lines.
std::string sortedText(const Netlist& netlist);

}  // namespace quorlin
