// Reader of Tango netlists: part blocks "[" ... "]" and nets "(" name nodes ")".
#pragma once

#include <functional>
#include <string_view>

#include "netlist/model.h"

namespace quorlin {

// Reference and pin of a Tango node line ("R1-2", "C1,2", each maybe with a trailing comment),
// as views of it.
NetNode parseTangoNode(std::string_view line);

// Fed one line at a time so the job can show counts while it reads. The netlist views the lines
// fed: their text must outlive it.
class TangoNetlistReader {
  public:
    // stripPackages leaves the PACKAGE= property off the part lines.
    explicit TangoNetlistReader(bool stripPackages) { netlist_.partPackages = !stripPackages; }

    // Room for what input, the text about to be fed, can hold, so the arrays are not moved
    // (and their old copies left behind) while they fill.
    void reserve(std::string_view input);

    // Reads the whole text of a file, calling tick() after every kTickLines lines so the job
    // can show counts while it reads.
    static constexpr size_t kTickLines = 1024;
    void read(std::string_view data, const std::function<void()>& tick = {});
    // Reads one line, as read() does each.
    void line(std::string_view text);
    // Closes a net or part block the file left open.
    void finish();

    size_t partCount() const { return partCount_; }
    const Netlist& netlist() const { return netlist_; }
    Netlist& netlist() { return netlist_; }

  private:
    void openPart();
    void closePart();
    void openNet();

    Netlist netlist_;
    size_t partCount_ = 0;
    bool partOpen_ = false;
    bool netOpen_ = false;
    bool nameNext_ = false;
    // The open part block's first lines, all the SDF part line takes.
    PartBlock block_;
    size_t blockLines_ = 0;
};

}  // namespace quorlin
