// The differences as text: the file, and the summary for the report box.
#include <string>

#include "netlist/differences.h"
#include "util/text.h"

namespace quorlin {

namespace {

// Counts the bytes that would be written: a long list is written into room taken once.
struct Measure {
    size_t size = 0;
    Measure& append(std::string_view text) {
        size += text.size();
        return *this;
    }
};

// Each section's heading with its number, and its items when `items`.
template <class Out>
void sections(const Differences& d, bool items, Out& out) {
    auto node = [&](const NetNode& n) { out.append(n.ref).append(",").append(n.pin); };
    auto section = [&](std::string_view heading, const auto& list, auto&& write) {
        out.append(heading).append(": ").append(std::to_string(list.size())).append(kCrLf);
        if (!items) return;
        for (const auto& item : list) {
            out.append("  ");
            write(item);
            out.append(kCrLf);
        }
    };
    auto line = [&](std::string_view text) { out.append(text); };
    auto pair = [&](const Differences::Pair& p) { out.append(p.a).append(" -> ").append(p.b); };
    auto net = [&](const Differences::NetNodes& n) {
        out.append(n.name).append(":");
        for (const NetNode& listed : n.nodes) {
            out.append(" ");
            node(listed);
        }
    };
    auto moved = [&](const Differences::NodeNets& n) {
        node(n.node);
        out.append(": ").append(n.a).append(" -> ").append(n.b);
    };
    auto onlyA = [&](const Differences::NodeNets& n) {
        node(n.node);
        out.append(": ").append(n.a);
    };
    auto onlyB = [&](const Differences::NodeNets& n) {
        node(n.node);
        out.append(": ").append(n.b);
    };
    auto several = [&](const Differences::NodeInSeveral& n) {
        node(n.node);
        out.append(":");
        for (size_t i = 0; i < n.nets.size(); ++i)
            out.append(i == 0 ? " " : ", ").append(n.nets[i]);
    };
    section("Parts only in A", d.partsOnlyA, line);
    section("Parts only in B", d.partsOnlyB, line);
    section("Parts changed", d.partsChanged, pair);
    section("Nets renamed", d.netsRenamed, pair);
    section("Nets only in A", d.netsOnlyA, net);
    section("Nets only in B", d.netsOnlyB, net);
    section("Nodes moved", d.nodesMoved, moved);
    section("Nodes only in A", d.nodesOnlyA, onlyA);
    section("Nodes only in B", d.nodesOnlyB, onlyB);
    section("Nodes in several nets of A", d.severalA, several);
    section("Nodes in several nets of B", d.severalB, several);
}

std::string totalLine(const Differences& d) {
    return "Differences: " + std::to_string(d.total()) + std::string(kCrLf);
}

}  // namespace

std::string differencesText(std::string_view pathA, std::string_view pathB, const Differences& d) {
    std::string out;
    auto write = [&](auto& to) {
        to.append("Netlist A: ").append(pathA).append(kCrLf);
        to.append("Netlist B: ").append(pathB).append(kCrLf);
        to.append(totalLine(d)).append(kCrLf);
        sections(d, true, to);
    };
    Measure measure;
    write(measure);
    out.reserve(measure.size);
    write(out);
    return out;
}

std::string differencesSummary(const Differences& d) {
    std::string out = totalLine(d);
    sections(d, false, out);
    return out;
}

}  // namespace quorlin
