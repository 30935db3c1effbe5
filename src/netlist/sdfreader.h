// Reader of SDF netlists as the comparator sees them: the part count and the nets with nodes.
#pragma once

#include <string_view>

#include "netlist/model.h"

namespace quorlin {

// Fed one line at a time so the job can show counts while it reads. Blanks in the file read
// as "_"; parts are counted, not kept. The netlist views the lines fed: their text must
// outlive it.
class SdfReader {
  public:
    void line(std::string_view text);

    size_t partCount() const { return partCount_; }
    const Netlist& netlist() const { return netlist_; }
    Netlist& netlist() { return netlist_; }

  private:
    enum class State { None, PartList, NetList, FirstNode, Nodes };

    // A line that is none of the section, empty or blank lines.
    void record(std::string_view text);
    void addNode(std::string_view line);
    // The text as the netlist holds it: itself, or a copy with its blanks as "_".
    std::string_view keep(std::string_view text);

    Netlist netlist_;
    size_t partCount_ = 0;
    State state_ = State::None;
    // The header block ends at the first section line; a net may be named "CREATED_CLK".
    bool inHeader_ = true;
};

}  // namespace quorlin
