// Reader of Tango netlists: part blocks "[" ... "]" and nets "(" name nodes ")".
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "netlist/model.h"

namespace quorlin {

// Reference and pin of a Tango node line ("R1-2", "C1,2", each maybe with a trailing comment).
NetNode parseTangoNode(std::string_view line);

// Fed one line at a time so the job can show counts while it reads.
class TangoNetlistReader {
  public:
    // stripPackages leaves the PACKAGE= property off the part lines.
    explicit TangoNetlistReader(bool stripPackages) : stripPackages_(stripPackages) {}

    void line(std::string_view text);
    // Closes a net or part block the file left open.
    void finish();

    size_t partCount() const { return partCount_; }
    const Netlist& netlist() const { return netlist_; }

  private:
    void openPart();
    void closePart();
    void openNet();

    static constexpr size_t kBlockLines = 8;

    bool stripPackages_;
    Netlist netlist_;
    size_t partCount_ = 0;
    bool partOpen_ = false;
    bool netOpen_ = false;
    bool nameNext_ = false;
    std::vector<std::string> block_;
};

}  // namespace quorlin
