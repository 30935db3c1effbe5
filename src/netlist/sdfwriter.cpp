#include "netlist/sdfwriter.h"

#include <algorithm>

#include "util/bigbuffer.h"
#include "util/text.h"

namespace quorlin {

std::string writeSdf(const Netlist& netlist, std::string_view created, std::string_view modified) {
    std::string out;
    // Room for the usual short names at once; longer ones grow the buffer as needed.
    reserveLarge(out, 512 + netlist.parts.size() * 64 + netlist.nets.size() * 32 +
                          netlist.nodes.size() * 24);
    auto line = [&out](std::string_view a, std::string_view b = {}) {
        out.append(a).append(b).append(kCrLf);
    };
    line("ISIS SCHEMATIC DESCRIPTION FORMAT 6.1");
    line("=====================================");
    line("Design:   <NONE>");
    line("Doc. no.: <NONE>");
    line("Revision: <NONE>");
    line("Author:   <NONE>");
    line("Created:  ", created);
    line("Modified: ", modified);
    line("");
    line("*PROPERTIES,0");
    line("");
    line("*MODELDEFS,0");
    line("");
    line("*PARTLIST,", std::to_string(netlist.parts.size()));
    for (size_t i = 0; i < netlist.parts.size(); ++i) {
        // Reference, value, fourth line, number and package; a "," in a line would split the
        // part line, so it reads "-".
        const auto& lines = netlist.parts[i].lines;
        auto field = [&out](std::string_view text) {
            const size_t from = out.size();
            out.append(text);
            std::replace(out.begin() + static_cast<std::ptrdiff_t>(from), out.end(), ',', '-');
        };
        field(lines[0]);
        out.append(",");
        field(lines[2]);
        out.append(",");
        field(lines[3]);
        out.append(",EID=").append(std::to_string(i + 1));
        if (netlist.partPackages) {
            out.append(",PACKAGE=");
            field(lines[1]);
        }
        out.append(kCrLf);
    }
    line("");
    line("*NETLIST,", std::to_string(netlist.nets.size()));
    for (const auto& net : netlist.nets) {
        out.append(net.name).append(",").append(std::to_string(net.count)).append(kCrLf);
        for (const NetNode& node : netlist.nodesOf(net))
            out.append(node.ref).append(",PS,").append(node.pin).append(kCrLf);
        out.append(kCrLf);
    }
    line("");
    line("*GATES,0");
    return out;
}

}  // namespace quorlin
