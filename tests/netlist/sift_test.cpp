// Sifting a large netlist against a plain stable sort by the same keys, and texts the readers
// rewrite staying valid however many there are.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "netlist/sdfreader.h"
#include "netlist/sdfwriter.h"
#include "netlist/sorter.h"
#include "netlist/tangonetlist.h"
#include "util/text.h"

namespace quorlin {
namespace {

using Nodes = std::vector<std::pair<std::string, std::string>>;

// Few distinct references and pins, so equal keys are common and load order must decide.
std::string randomNode(std::mt19937& rng) {
    static const char* const kPrefixes[] = {"R", "U", "C", "IC", "TP", "\xC2\xB5"};
    std::string ref = kPrefixes[rng() % 6];
    ref += std::to_string(rng() % 40);
    return ref + ",PS," + std::to_string(rng() % 12);
}

TEST(Sift, LargeNetlistInStableKeyOrder) {
    std::mt19937 rng(11);
    std::string sdf = "*NETLIST,3000\r\n";
    std::vector<std::pair<std::string, Nodes>> expected;
    for (int n = 0; n < 3000; ++n) {
        // Some nets without nodes, some longer than the insertion-sorted kind.
        const size_t count = n % 97 == 0 ? 0 : n % 31 == 0 ? 20 + rng() % 10 : 1 + rng() % 5;
        const std::string name = "N" + std::to_string(n);
        sdf += name + "," + std::to_string(count) + "\r\n";
        Nodes nodes;
        for (size_t i = 0; i < count; ++i) {
            const std::string line = randomNode(rng);
            sdf += line + "\r\n";
            const size_t comma = line.find(',');
            nodes.emplace_back(line.substr(0, comma), line.substr(comma + 4));
        }
        sdf += "\r\n";
        expected.emplace_back(name, nodes);
    }
    auto key = [](const std::pair<std::string, std::string>& node) {
        return makesorter(node.first, node.second);
    };
    for (auto& [name, nodes] : expected)
        std::stable_sort(nodes.begin(), nodes.end(),
                         [&](const auto& a, const auto& b) { return key(a) < key(b); });
    std::stable_sort(expected.begin(), expected.end(), [&](const auto& a, const auto& b) {
        if (a.second.empty() || b.second.empty()) return a.second.empty() && !b.second.empty();
        return key(a.second.front()) < key(b.second.front());
    });

    SdfReader reader;
    forEachLine(sdf, [&](std::string_view l) { reader.line(l); });
    Netlist& nl = reader.netlist();
    siftNetlist(nl);
    ASSERT_EQ(nl.nets.size(), expected.size());
    for (size_t n = 0; n < expected.size(); ++n) {
        ASSERT_EQ(nl.nets[n].name, expected[n].first) << n;
        Nodes got;
        for (const NetNode& node : nl.nodesOf(nl.nets[n])) got.emplace_back(node.ref, node.pin);
        ASSERT_EQ(got, expected[n].second) << expected[n].first;
    }
}

// Rewritten texts fill many arena blocks, one text alone is larger than a block, and the
// netlist is moved before it is read.
TEST(Sift, RewrittenTextsStayValid) {
    const std::string longName(100000, ' ');
    std::string tango, sdf = "*NETLIST,3000\r\n";
    for (int n = 0; n < 3000; ++n) {
        const std::string number = std::to_string(n);
        tango +=
            "(\n" + (n == 1500 ? longName : "NET " + number + ", A") + "\nR" + number + "-1\n)\n";
        sdf += (n == 1500 ? longName : "NET " + number + " A") + ",1\r\nR " + number +
               ",PS,1 A\r\n\r\n";
    }
    TangoNetlistReader tangoReader(false);
    forEachLine(tango, [&](std::string_view l) { tangoReader.line(l); });
    tangoReader.finish();
    SdfReader sdfReader;
    forEachLine(sdf, [&](std::string_view l) { sdfReader.line(l); });
    const Netlist fromTango = std::move(tangoReader.netlist());
    const Netlist fromSdf = std::move(sdfReader.netlist());

    ASSERT_EQ(fromTango.nets.size(), 3000u);
    ASSERT_EQ(fromSdf.nets.size(), 3000u);
    const std::string longText(100000, '_');
    for (size_t n = 0; n < 3000; ++n) {
        const std::string number = std::to_string(n);
        EXPECT_EQ(fromTango.nets[n].name, n == 1500 ? longText : "NET_" + number + "-_A");
        EXPECT_EQ(fromSdf.nets[n].name, n == 1500 ? longText : "NET_" + number + "_A");
        const NetNode& node = fromSdf.nodesOf(fromSdf.nets[n])[0];
        EXPECT_EQ(node.ref, "R_" + number);
        EXPECT_EQ(node.pin, "1_A");
    }
    const std::string written = writeSdf(fromTango, "c", "m");
    EXPECT_NE(written.find("\r\nNET_2999-_A,1\r\nR2999,PS,1\r\n\r\n"), std::string::npos);
}

}  // namespace
}  // namespace quorlin
