#include "netlist/model.h"

#include <algorithm>

namespace quorlin {

namespace {

// Rewritten texts are few and short: blocks this large take them with few allocations.
constexpr size_t kArenaBlock = 64 * 1024;

}  // namespace

void Netlist::reserveNodes(std::string_view input) {
    // Nodes come one a line, and a node line with its line end usually takes eight bytes or
    // more ("R1,PS,1", "U12-3"): a file of shorter ones grows the array a few times.
    // Past some millions the array grows as it fills, rather than asking for gigabytes first.
    constexpr size_t kMostReserved = size_t{1} << 24;
    nodes.reserve(nodes.size() + std::min(input.size() / 8, kMostReserved));
}

char* TextArena::room(size_t n) {
    if (n > left_) {
        // A new block; the rest of the old one stays unused, so nothing stored there moves.
        const size_t size = std::max(n, kArenaBlock);
        blocks_.push_back(std::make_unique_for_overwrite<char[]>(size));
        next_ = blocks_.back().get();
        left_ = size;
    }
    char* const p = next_;
    next_ += n;
    left_ -= n;
    return p;
}

}  // namespace quorlin
