#include "netlist/model.h"

#include <algorithm>

namespace quorlin {

namespace {

// Rewritten texts are few and short: blocks this large take them with few allocations.
constexpr size_t kArenaBlock = 64 * 1024;

}  // namespace

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
