// Reader of SDF netlists as the comparator sees them: the part count and the nets with nodes.
#pragma once

#include <string>
#include <string_view>

#include "netlist/model.h"

namespace quorlin {

// Fed one line at a time so the job can show counts while it reads. Blanks in the file read
// as "_"; parts are counted, not kept.
class SdfReader {
  public:
    void line(std::string_view text);

    size_t partCount() const { return partCount_; }
    const Netlist& netlist() const { return netlist_; }
    Netlist& netlist() { return netlist_; }

  private:
    enum class State { None, PartList, NetList, FirstNode, Nodes };

    void addNode(std::string_view line);

    Netlist netlist_;
    size_t partCount_ = 0;
    State state_ = State::None;
    // The header block ends at the first section line; a net may be named "CREATED_CLK".
    bool inHeader_ = true;
    std::string work_;
};

}  // namespace quorlin
