// The netlist as both tools hold it: parts, and nets with their nodes in order.
#pragma once

#include <string>
#include <vector>

namespace quorlin {

struct NetNode {
    std::string ref;
    std::string pin;
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
