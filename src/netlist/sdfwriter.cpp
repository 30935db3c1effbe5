#include "netlist/sdfwriter.h"

#include <span>

#include "util/number.h"
#include "util/text.h"

namespace quorlin {

namespace {

// A part block line as a field of the part line, its "," read as "-".
void appendField(std::string& out, std::string_view text) {
    const size_t from = out.size();
    out.append(text);
    for (size_t i = from; i < out.size(); ++i)
        if (out[i] == ',') out[i] = '-';
}

}  // namespace

std::string writeSdf(const Netlist& netlist, std::string_view created, std::string_view modified) {
    const bool package = netlist.partPackages;
    // The size of the whole file, as far as the usual netlist goes: the header's lines, then
    // every record's, a number taken as 20 digits.
    size_t estimate = 512 + created.size() + modified.size();
    for (const PartBlock& part : netlist.parts)
        estimate += part.lines[0].size() + part.lines[1].size() + part.lines[2].size() +
                    part.lines[3].size() + 40;
    for (const Net& net : netlist.nets) estimate += net.name.size() + 25;
    for (const NetNode& node : netlist.nodes) estimate += node.ref.size() + node.pin.size() + 6;

    std::string out;
    out.reserve(estimate);
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
    line("*PARTLIST,", countText(netlist.parts.size()));
    for (size_t i = 0; i < netlist.parts.size(); ++i) {
        // Reference, value, fourth line, number and package; a "," in a line would split the
        // part line, so it reads "-".
        const auto& lines = netlist.parts[i].lines;
        appendField(out, lines[0]);
        out += ',';
        appendField(out, lines[2]);
        out += ',';
        appendField(out, lines[3]);
        out.append(",EID=");
        appendCount(out, i + 1);
        if (package) {
            out.append(",PACKAGE=");
            appendField(out, lines[1]);
        }
        out.append(kCrLf);
    }
    line("");
    line("*NETLIST,", countText(netlist.nets.size()));
    for (const Net& net : netlist.nets) {
        // Per net its name and node count, "ref,PS,pin" lines and an empty line.
        out.append(net.name).append(",");
        appendCount(out, net.count);
        out.append(kCrLf);
        for (const NetNode& node : netlist.nodesOf(net))
            out.append(node.ref).append(",PS,").append(node.pin).append(kCrLf);
        out.append(kCrLf);
    }
    line("");
    line("*GATES,0");
    return out;
}

}  // namespace quorlin
