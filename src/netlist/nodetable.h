// The distinct nodes of two netlists, each with the listing of either netlist that owns it: the
// differences between the netlists are counted on them.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string_view>
#include <utility>
#include <vector>

#include "netlist/model.h"

namespace quorlin {

// The bytes of a text of at most eight, read in at most two moves of a fixed size, the first
// byte lowest.
inline uint64_t bytesOf(std::string_view s) {
    const char* p = s.data();
    const size_t n = s.size();
    if (n >= 4) {
        uint32_t low, high;
        std::memcpy(&low, p, 4);
        std::memcpy(&high, p + n - 4, 4);
        // The overlapping bytes are the same in both.
        return uint64_t{low} | uint64_t{high} << (8 * (n - 4));
    }
    if (n == 0) return 0;
    auto byte = [&](size_t i) { return uint64_t{static_cast<unsigned char>(p[i])} << (8 * i); };
    return byte(0) | byte(n / 2) | byte(n - 1);
}

// The same, the first byte highest: numbers then order as the texts do, the shorter first.
inline uint64_t bigEndian(std::string_view s) {
    return __builtin_bswap64(bytesOf(s));
}

// Every distinct node (reference and pin) of both netlists, with the listing of each netlist
// that owns it. A node with a reference of at most eight bytes and a pin of at most three,
// nearly every one, is held in its slot: a look-up then visits memory once, and the caller asks
// for that visit some listings ahead (prefetch()), so the visits overlap. Slots are small and the
// table is four-fifths full at most: fresh memory costs more than a few more probes in slots
// that share a cache line.
class NodeTable {
  public:
    static constexpr uint32_t kNone = UINT32_MAX;

    // A node prepared for its look-up.
    struct Key {
        uint64_t ref;  // the reference's bytes; the hash for a long node
        uint32_t pin;  // the pin's bytes and both sizes; kLong for a long node
        uint64_t hash;
    };
    struct Slot {
        uint32_t ref[2] = {0, 0};
        uint32_t pin = 0;  // kUsed, the pin's bytes and both sizes; or kLong and an index in long_
        uint32_t owner[2] = {kNone, kNone};
        bool used() const { return pin != 0; }
    };

    explicit NodeTable(size_t expected) { resize(expected + expected / 4 + 16); }

    static Key key(const NetNode& node) {
        if (node.ref.size() > 8 || node.pin.size() > 3) {
            const uint64_t h = mix(hashText(node.pin, hashText(node.ref, 0)));
            return {h, kLong, h};
        }
        const auto pin = static_cast<uint32_t>(bytesOf(node.pin) | node.ref.size() << 24 |
                                               node.pin.size() << 28 | kUsed);
        const uint64_t ref = bytesOf(node.ref);
        return {ref, pin, hashOf(ref, pin)};
    }
    void prefetch(const Key& k) const { __builtin_prefetch(&slots_[home(k.hash)]); }

    // The node's slot, a new one for a node not seen before; valid until the next look-up.
    Slot& find(const NetNode& node, const Key& k) {
        for (size_t s = home(k.hash);; s = s + 1 == slots_.size() ? 0 : s + 1) {
            Slot& slot = slots_[s];
            if (!slot.used()) return insert(s, node, k);
            if (slot.ref[0] != static_cast<uint32_t>(k.ref) ||
                slot.ref[1] != static_cast<uint32_t>(k.ref >> 32))
                continue;
            if (k.pin != kLong) {
                if (slot.pin == k.pin) return slot;
            } else if (slot.pin & kLong) {
                const NetNode& known = long_[slot.pin & ~kLong];
                if (known.ref == node.ref && known.pin == node.pin) return slot;
            }
        }
    }
    const std::vector<Slot>& slots() const { return slots_; }

  private:
    static uint64_t mix(uint64_t h) {
        h ^= h >> 33;
        h *= 0xff51afd7ed558ccdULL;
        h ^= h >> 33;
        h *= 0xc4ceb9fe1a85ec53ULL;
        return h ^ (h >> 33);
    }

    static uint64_t hashText(std::string_view s, uint64_t h) {
        constexpr uint64_t kMul = 0x9E3779B97F4A7C15ULL;
        for (char c : s) h = (h ^ static_cast<unsigned char>(c)) * kMul;
        return h ^ s.size();
    }

    // Marks a long node; a held pin has the top bit clear (a size of at most 3) and the next one
    // set, so that no slot in use is all zero.
    static constexpr uint32_t kLong = 0x80000000, kUsed = 0x40000000;

    static uint64_t hashOf(uint64_t ref, uint32_t pin) {
        return mix(ref ^ (uint64_t{pin} * 0x9E3779B97F4A7C15ULL));
    }
    static uint64_t hashOf(const Slot& slot) {
        const uint64_t ref = uint64_t{slot.ref[1]} << 32 | slot.ref[0];
        return slot.pin & kLong ? ref : hashOf(ref, slot.pin);
    }
    // The first slot to try: the hash scaled to the table, which need not be a power of two.
    size_t home(uint64_t hash) const {
        return static_cast<size_t>((static_cast<unsigned __int128>(hash) * slots_.size()) >> 64);
    }
    Slot& insert(size_t s, const NetNode& node, const Key& k) {
        uint32_t pin = k.pin;
        if (pin == kLong) {
            pin = kLong | static_cast<uint32_t>(long_.size());
            long_.push_back(node);
        }
        Slot& slot = slots_[s];
        slot.ref[0] = static_cast<uint32_t>(k.ref);
        slot.ref[1] = static_cast<uint32_t>(k.ref >> 32);
        slot.pin = pin;
        if (5 * ++count_ <= 4 * slots_.size()) return slot;
        const Slot moved = slot;
        resize(2 * count_ + 16);
        for (size_t t = home(hashOf(moved));; t = t + 1 == slots_.size() ? 0 : t + 1)
            if (std::memcmp(&slots_[t], &moved, sizeof moved) == 0) return slots_[t];
    }
    // A table of `capacity` slots, the slots in use moved over.
    void resize(size_t capacity) {
        std::vector<Slot> old = std::exchange(slots_, std::vector<Slot>(capacity));
        for (const Slot& slot : old) {
            if (!slot.used()) continue;
            size_t t = home(hashOf(slot));
            while (slots_[t].used()) t = t + 1 == slots_.size() ? 0 : t + 1;
            slots_[t] = slot;
        }
    }

    std::vector<Slot> slots_;
    size_t count_ = 0;
    std::vector<NetNode> long_;
};

}  // namespace quorlin
