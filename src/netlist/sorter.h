// Canonical order of a netlist, independent of its net names.
#pragma once

#include <string>
#include <string_view>

#include "netlist/model.h"

namespace quorlin {

// The 18-character key of a node: the reference's letter prefix padded right with "0" to 6,
// its number and the pin each right-aligned with "0" to 6 ("R12", "2" -> "R00000000012000002").
std::string makesorter(std::string_view reference, std::string_view pin);

// Nodes within each net by key, then nets by their first node's key (a net without nodes
// first). Both sorts are stable, so equal keys keep their load order.
void siftNetlist(Netlist& netlist);

size_t singleNodeNets(const Netlist& netlist);

// The sorted copy for inspection: per net an empty line, its name, then "ref-pin" lines.
std::string sortedText(const Netlist& netlist);

}  // namespace quorlin
