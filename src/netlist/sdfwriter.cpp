#include "netlist/sdfwriter.h"

#include "util/bigbuffer.h"
#include "util/text.h"

namespace quorlin {

std::string writeSdf(const Netlist& netlist, std::string_view created, std::string_view modified) {
    std::string out;
    // Room for the usual short names at once; longer ones grow the buffer as needed.
    reserveLarge(
        out, 512 + netlist.parts.size() * 64 + netlist.nets.size() * 32 + netlist.nodeCount * 24);
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
    for (const auto& part : netlist.parts) line(part);
    line("");
    line("*NETLIST,", std::to_string(netlist.nets.size()));
    for (const auto& net : netlist.nets) {
        out.append(net.name).append(",").append(std::to_string(net.nodes.size())).append(kCrLf);
        for (const auto& node : net.nodes)
            out.append(node.ref).append(",PS,").append(node.pin).append(kCrLf);
        out.append(kCrLf);
    }
    line("");
    line("*GATES,0");
    return out;
}

}  // namespace quorlin
