// Canonical order of a netlist, independent of its net names.
#pragma once

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "netlist/model.h"

namespace quorlin {

// The 18-character key of a node: the reference's letter prefix padded right with "0" to 6,
// its number and the pin each right-aligned with "0" to 6 ("R12", "2" -> "R00000000012000002"),
// held as numbers whose order is the unsigned order of its bytes: bytes 0-7, bytes 8-15, and
// bytes 16-17 at the top of the last word, whose lower 48 bits are left for a position.
struct NodeKey {
    uint64_t words[3];
};
NodeKey nodeKey(std::string_view reference, std::string_view pin);

// The same for a node line of at most 16 bytes, 16 of them readable from its start, read in
// registers: its reference is bytes [0, referenceEnd), its letter prefix [0, prefixEnd), its pin
// [pinFrom, pinTo).
NodeKey shortNodeKey(const char* line, size_t prefixEnd, size_t referenceEnd, size_t pinFrom,
                     size_t pinTo);

// Sorts a net's nodes by key, stable; keys[i] is the key of nodes[i], and keys is left in
// disorder. Returns the key of the node now first.
NodeKey sortNet(std::span<NetNode> nodes, std::span<NodeKey> keys);

// The order of a netlist's nets: by the key of their first node, a net without nodes before any,
// load position breaking ties.
class NetOrder {
  public:
    void reserve(size_t nets) { first_.reserve(nets); }
    // Net n, its nodes sorted, with the key of its first node (none for a net without nodes).
    void add(size_t n, const NodeKey* first);
    // Puts the nets in order, each of which must have been added once; the order is then
    // empty again.
    void apply(std::vector<Net>& nets);

  private:
    std::vector<size_t> empty_;
    std::vector<NodeKey> first_;
};

// Nodes within each net by key, then nets by their first node's key (a net without nodes
// first). Both sorts are stable, so equal keys keep their load order.
void siftNetlist(Netlist& netlist);

size_t singleNodeNets(const Netlist& netlist);

// The sorted copy for inspection: per net an empty line, its name, then "ref-pin" lines.
std::string sortedText(const Netlist& netlist);

// Inline for the readers' loops.
inline NodeKey shortNodeKey(const char* line, size_t prefixEnd, size_t referenceEnd, size_t pinFrom,
                            size_t pinTo) {
    if constexpr (std::endian::native != std::endian::little) {
        return nodeKey(std::string_view(line, referenceEnd),
                       std::string_view(line + pinFrom, pinTo - pinFrom));
    } else {
        constexpr uint64_t kZeros = 0x303030303030;  // "000000", big-endian
        constexpr uint64_t kField = 0xFFFFFFFFFFFF;
        uint64_t low, high;
        std::memcpy(&low, line, 8);
        std::memcpy(&high, line + 8, 8);
        // Byte i of the line at bits 8i.
        const unsigned __int128 bytes = static_cast<unsigned __int128>(high) << 64 | low;
        // The m <= 6 bytes before `end` as a big-endian number.
        auto before = [&](size_t end, size_t m) -> uint64_t {
            if (m == 0) return 0;
            // Those bytes at the top of a word, byte end - 1 highest.
            const uint64_t word =
                end >= 8 ? static_cast<uint64_t>(bytes >> (8 * (end - 8))) : low << (8 * (8 - end));
            return __builtin_bswap64(word) & (kField >> (8 * (6 - m)));
        };
        const size_t prefix = std::min<size_t>(prefixEnd, 6);
        const uint64_t p =
            (__builtin_bswap64(low) >> 16 & ~(kField >> (8 * prefix))) | kZeros >> (8 * prefix);
        const size_t numberEnd = std::min(referenceEnd, prefixEnd + 15);
        const size_t number = std::min<size_t>(numberEnd - prefixEnd, 6);
        const uint64_t d = before(numberEnd, number) | (kZeros << (8 * number) & kField);
        const size_t pin = std::min<size_t>(pinTo - pinFrom, 6);
        const uint64_t q = before(pinTo, pin) | (kZeros << (8 * pin) & kField);
        return {{p << 16 | d >> 32, (d & 0xFFFFFFFF) << 32 | q >> 16, (q & 0xFFFF) << 48}};
    }
}

}  // namespace quorlin
