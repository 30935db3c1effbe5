// Reader of SDF netlists as the comparator sees them: the part count and the nets with nodes.
#pragma once

#include <functional>
#include <string_view>
#include <vector>

#include "netlist/model.h"
#include "netlist/sorter.h"

namespace quorlin {

// Blanks in the file read as "_"; the part lines are counted and kept as written. The netlist
// and the part lines view the text read, which must outlive them.
//
// The reader sifts as it goes: once a net is complete its nodes are sorted by key, while their
// lines are still at hand, and sift() then orders the nets. The netlist is sifted, as siftNetlist()
// leaves it, only after sift().
class SdfReader {
  public:
    static constexpr size_t kTickLines = 1024;

    // Reads the whole text of a file, calling tick() after every kTickLines lines so the job
    // can show counts while it reads.
    void read(std::string_view data, const std::function<void()>& tick = {});
    // Reads one line, as read() does each.
    void line(std::string_view text);
    // Sorts the nodes of the last net and orders the nets, once reading is done; later calls
    // change nothing.
    void sift();

    size_t partCount() const { return partCount_; }
    // Whether a "*PARTLIST" or "*NETLIST" line was read, which every SDF netlist has.
    bool sawSection() const { return !inHeader_; }
    // The part lines as written, in file order.
    const std::vector<std::string_view>& parts() const { return parts_; }
    const Netlist& netlist() const { return netlist_; }
    Netlist& netlist() { return netlist_; }

  private:
    enum class State { None, PartList, NetList, FirstNode, Nodes };

    // Field 1 of a record line (a net's name, a node's reference) and field 3 (a node's pin),
    // with whether each holds a blank.
    struct Fields {
        std::string_view first;
        bool firstBlank = false;
        std::string_view third;
        bool thirdBlank = false;
    };
    static Fields fields(std::string_view line);

    // A line that is none of the section, empty or blank lines.
    void record(std::string_view text);
    void addNet(const Fields& f);
    // Nodes come only after their net's header, so they extend the last net's range.
    void addNode(const Fields& f);
    // Sorts the nodes of the last net, which is complete.
    void closeNet();
    // The text as the netlist holds it: itself, or a copy with its blanks as "_".
    std::string_view keep(std::string_view text);
    std::string_view unblanked(std::string_view text);

    Netlist netlist_;
    size_t partCount_ = 0;
    std::vector<std::string_view> parts_;
    State state_ = State::None;
    // The header block ends at the first section line; a net may be named "CREATED_CLK".
    bool inHeader_ = true;
    // The keys of the last net's nodes, and how many nets are sorted.
    std::vector<NodeKey> keys_;
    size_t closed_ = 0;
    bool sifted_ = false;
    NetOrder order_;
};

}  // namespace quorlin
