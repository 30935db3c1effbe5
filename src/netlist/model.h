// The netlist as both tools hold it: parts, and nets with their nodes in order.
#pragma once

#include <array>
#include <string>
#include <vector>

namespace quorlin {

struct NetNode {
    std::string ref;
    std::string pin;
    // Sort key (makesorter); only the comparator fills it. Always 18 characters, so it needs no
    // allocation of its own; compare it as unsigned bytes (keyLess).
    std::array<char, 18> key{};
};

struct Net {
    std::string name;
    std::vector<NetNode> nodes;
};

struct Netlist {
    std::vector<std::string> parts;
    std::vector<Net> nets;
    size_t nodeCount = 0;
};

}  // namespace quorlin
