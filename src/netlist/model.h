// The netlist as both tools hold it: parts, and nets with their nodes in order.
//
// A netlist of a hundred thousand nets holds nearly a million texts: they are views, not
// strings. A text taken from the input unchanged views the input buffer, which the job keeps
// while it uses the netlist; a text the reader rewrites lives in the netlist's own arena. The
// nodes of all nets sit in one array, each net a range of it.
#pragma once

#include <array>
#include <cstddef>
#include <memory>
#include <span>
#include <string_view>
#include <vector>

namespace quorlin {

struct NetNode {
    std::string_view ref;
    std::string_view pin;
};

struct Net {
    std::string_view name;
    // The net's nodes are nodes[first, first + count) of its netlist.
    size_t first = 0;
    size_t count = 0;
};

// A part block of a Tango netlist: its first four lines (reference, package, value, fourth),
// as read; the SDF part line is made from them when written.
struct PartBlock {
    std::array<std::string_view, 4> lines;
};

// Storage for rewritten texts. Texts never move once stored: views of them stay valid while
// the arena lives, however much is added after them.
class TextArena {
  public:
    // A copy of text with every byte c replaced by map(c) (same length).
    template <class Map>
    std::string_view store(std::string_view text, Map map) {
        char* p = room(text.size());
        for (size_t i = 0; i < text.size(); ++i) p[i] = map(text[i]);
        return {p, text.size()};
    }

  private:
    char* room(size_t n);

    std::vector<std::unique_ptr<char[]>> blocks_;
    char* next_ = nullptr;
    size_t left_ = 0;
};

struct Netlist {
    Netlist() = default;
    // Views may point into the arena: a copy would view the original's.
    Netlist(const Netlist&) = delete;
    Netlist& operator=(const Netlist&) = delete;
    Netlist(Netlist&&) = default;
    Netlist& operator=(Netlist&&) = default;

    // Room for the nodes input, the text about to be read, can hold: the node array is then
    // hardly ever moved while it fills. Room never filled is never touched.
    void reserveNodes(std::string_view input);

    std::span<const NetNode> nodesOf(const Net& net) const {
        return {nodes.data() + net.first, net.count};
    }
    std::span<NetNode> nodesOf(const Net& net) { return {nodes.data() + net.first, net.count}; }

    std::vector<PartBlock> parts;
    // Whether the SDF part lines carry the PACKAGE= property.
    bool partPackages = true;
    std::vector<Net> nets;
    std::vector<NetNode> nodes;
    TextArena arena;
};

}  // namespace quorlin
