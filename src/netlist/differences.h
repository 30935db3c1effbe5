// What differs between two netlists: parts added, removed or changed, nets renamed, added or
// removed, and nodes moved, with nets matched by the nodes they hold rather than by their names.
#pragma once

#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "netlist/model.h"

namespace quorlin {

// One netlist as the comparator read it. The nets may be in any order, but their node ranges
// lie in the node array in file order, nodes with equal keys keep their file order within a net,
// and nets without nodes keep their file order among themselves: as a reader leaves them, sifted
// or not. The part lines are as written in the file, in file order.
struct DiffSide {
    const Netlist& netlist;
    std::span<const std::string_view> parts;
};

struct Differences {
    // A part line in A and in B, or a net's name in A and in B.
    struct Pair {
        std::string_view a, b;
    };
    struct NetNodes {
        std::string_view name;
        std::vector<NetNode> nodes;
    };
    // A node with its net in A and in B; one of the two is empty for a node in one netlist only.
    struct NodeNets {
        NetNode node;
        std::string_view a, b;
    };
    struct NodeInSeveral {
        NetNode node;
        std::vector<std::string_view> nets;
    };

    std::vector<std::string_view> partsOnlyA, partsOnlyB;
    std::vector<Pair> partsChanged, netsRenamed;
    std::vector<NetNodes> netsOnlyA, netsOnlyB;
    std::vector<NodeNets> nodesMoved, nodesOnlyA, nodesOnlyB;
    std::vector<NodeInSeveral> severalA, severalB;

    // Every item but the nodes in several nets.
    size_t total() const;
};

// The views of the result point into the two netlists and their texts, which must outlive it.
// tick() is called between steps, each linear or n log n, so a window can stay live.
Differences differences(
    const DiffSide& a, const DiffSide& b, const std::function<void()>& tick = [] {});

// The differences file: the head naming both netlists and the total, an empty line, then every
// section with its items; lines end with CR LF.
std::string differencesText(std::string_view pathA, std::string_view pathB, const Differences& d);

// The total and the section headings with their numbers, for the report box (CR LF).
std::string differencesSummary(const Differences& d);

}  // namespace quorlin
