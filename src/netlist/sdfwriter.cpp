#include "netlist/sdfwriter.h"

#include <algorithm>
#include <charconv>
#include <span>

#include "netlist/linetext.h"
#include "util/text.h"

namespace quorlin {

namespace {

constexpr size_t kNumberRoom = 24;

// The decimal text of n, written in room.
std::string_view countText(char (&room)[kNumberRoom], size_t n) {
    const auto end = std::to_chars(room, room + kNumberRoom, n).ptr;
    return {room, static_cast<size_t>(end - room)};
}

// How many digits countText writes for n.
size_t digits(size_t n) {
    size_t d = 1;
    for (; n >= 10; n /= 10) ++d;
    return d;
}

// A part block line as a field of the part line, its "," read as "-".
char* putField(char* p, std::string_view text) {
    char* const end = putText(p, text);
    std::replace(p, end, ',', '-');
    return end;
}

}  // namespace

std::string writeSdf(const Netlist& netlist, std::string_view created, std::string_view modified) {
    constexpr std::string_view kEid = ",EID=", kPackage = ",PACKAGE=", kPs = ",PS,";
    const bool package = netlist.partPackages;
    // The size of the whole file, as far as the usual netlist goes (a node outside every net
    // is counted but not written): the header's lines, then every record's.
    size_t estimate = 512 + created.size() + modified.size();
    for (size_t i = 0; i < netlist.parts.size(); ++i) {
        const auto& lines = netlist.parts[i].lines;
        estimate += lines[0].size() + lines[2].size() + lines[3].size() + 2 + kEid.size() +
                    digits(i + 1) + (package ? kPackage.size() + lines[1].size() : 0) + 2;
    }
    for (const Net& net : netlist.nets) estimate += net.name.size() + 1 + digits(net.count) + 4;
    for (const NetNode& node : netlist.nodes)
        estimate += node.ref.size() + kPs.size() + node.pin.size() + 2;

    std::string out;
    {
        OutputFill fill(out, estimate);
        auto line = [&fill](std::string_view a, std::string_view b = {}) {
            fill.append(a);
            fill.append(b);
            fill.append(kCrLf);
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
            // Reference, value, fourth line, number and package, written at once; a "," in a
            // line would split the part line, so it reads "-".
            const auto& lines = netlist.parts[i].lines;
            char number[kNumberRoom];
            const std::string_view eid = countText(number, i + 1);
            const size_t size = lines[0].size() + lines[2].size() + lines[3].size() + 2 +
                                kEid.size() + eid.size() +
                                (package ? kPackage.size() + lines[1].size() : 0) + 2;
            char* p = putField(fill.room(size), lines[0]);
            *p++ = ',';
            p = putField(p, lines[2]);
            *p++ = ',';
            p = putField(p, lines[3]);
            p = putText(putText(p, kEid), eid);
            if (package) p = putField(putText(p, kPackage), lines[1]);
            putCrLf(p);
        }
        line("");
        line("*NETLIST,", std::to_string(netlist.nets.size()));
        for (const Net& net : netlist.nets) {
            // Per net its name and node count, "ref,PS,pin" lines and an empty line, written at
            // once.
            const std::span<const NetNode> nodes = netlist.nodesOf(net);
            char number[kNumberRoom];
            const std::string_view count = countText(number, net.count);
            size_t size = net.name.size() + 1 + count.size() + 4;
            for (const NetNode& node : nodes)
                size += node.ref.size() + kPs.size() + node.pin.size() + 2;
            char* p = putText(fill.room(size), net.name);
            *p++ = ',';
            p = putCrLf(putText(p, count));
            for (const NetNode& node : nodes)
                p = putCrLf(putText(putText(putText(p, node.ref), kPs), node.pin));
            putCrLf(p);
        }
        line("");
        line("*GATES,0");
    }
    return out;
}

}  // namespace quorlin
