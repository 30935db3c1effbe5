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

// Reference and pin as the comparator reads a node line: fields 1 and 3, blanks as "_".
std::pair<std::string, std::string> referenceFields(const std::string& line) {
    std::vector<std::string> fields(1);
    for (char c : line) {
        if (c == ',')
            fields.emplace_back();
        else
            fields.back() += c == ' ' ? '_' : c;
    }
    return {fields[0], fields.size() > 2 ? fields[2] : ""};
}

// A node's sort key by its rule, byte by byte: the reference's prefix of bytes above "9" (at most
// six, padded right with "0"), then the last six of the next 15 bytes and the last six of the
// pin, each right-aligned in "0". "R2" sorts before "R10".
std::string referenceKey(std::string_view ref, std::string_view pin) {
    size_t k = 0;
    while (k < ref.size() && static_cast<unsigned char>(ref[k]) > '9') ++k;
    auto right = [](std::string_view t) {
        t = t.substr(t.size() - std::min<size_t>(t.size(), 6));
        return std::string(6 - t.size(), '0').append(t);
    };
    std::string key(ref.substr(0, std::min<size_t>(k, 6)));
    key.resize(6, '0');
    return key + right(ref.substr(k, 15)) + right(pin);
}

std::string keyText(const NodeKey& key) {
    return std::string(key.begin(), key.end());
}

// Node lines of every shape: few distinct references and pins, so equal keys are common and
// load order must decide; blanks, missing and extra fields, prefixes and numbers longer than a
// key holds, and lines longer than the ones read at once.
std::string randomNode(std::mt19937& rng) {
    static const char* const kPrefixes[] = {"R",        "U",         "C", "IC",  "TP",
                                            "\xC2\xB5", "CONNECTOR", "",  "A B", "X-"};
    static const char* const kPins[] = {"1", "2", "12", "A3", "GATE7", "1234567", "", " 1", "9 "};
    std::string ref = kPrefixes[rng() % 10];
    ref += std::to_string(rng() % 40);
    if (rng() % 8 == 0) ref += std::to_string(rng());
    std::string line = ref;
    switch (rng() % 12) {
        case 0:
            return line;
        case 1:
            return line + ",PS";
        case 2:
            return line + ",PS," + kPins[rng() % 9] + ",extra";
        default:
            return line + ",PS," + kPins[rng() % 9];
    }
}

// The key made from a node's texts against its rule.
TEST(Sift, KeysFollowTheirRule) {
    const std::pair<const char*, const char*> nodes[] = {{"R12", "2"},
                                                         {"R1234567", "ABCDEFGH"},
                                                         {"IC10A", "B3"},
                                                         {"CONNECTOR", ""},
                                                         {"R-5", "1"},
                                                         {"\xC2\xB5"
                                                          "C1",
                                                          "1"},
                                                         {"", ""},
                                                         {"R2", "1"},
                                                         {"R10", "1"},
                                                         {"R123456789012345678", "1"}};
    for (const auto& [ref, pin] : nodes)
        EXPECT_EQ(keyText(nodeKey(ref, pin)), referenceKey(ref, pin));
    std::mt19937 rng(12);
    for (int round = 0; round < 20000; ++round) {
        const std::string line = randomNode(rng);
        const auto [ref, pin] = referenceFields(line);
        ASSERT_EQ(keyText(nodeKey(ref, pin)), referenceKey(ref, pin)) << line;
    }
}

// A large netlist read whole and line by line, against a plain stable sort by the same keys.
TEST(Sift, LargeNetlistInStableKeyOrder) {
    std::mt19937 rng(11);
    std::string sdf = "*NETLIST,3000\r\n";
    std::vector<std::pair<std::string, Nodes>> expected;
    for (int n = 0; n < 3000; ++n) {
        // Some nets without nodes, some longer than the insertion-sorted kind.
        const size_t count = n % 97 == 0 ? 0 : n % 31 == 0 ? 20 + rng() % 10 : 1 + rng() % 5;
        const std::string name = "N" + std::to_string(n) + (n % 13 == 0 ? " X" : "");
        sdf += name + "," + std::to_string(count) + (n % 2 ? "\r\n" : "\n");
        Nodes nodes;
        for (size_t i = 0; i < count; ++i) {
            const std::string line = randomNode(rng);
            sdf += line + "\r\n";
            nodes.push_back(referenceFields(line));
        }
        sdf += "\r\n";
        expected.emplace_back(referenceFields(name).first, nodes);
    }
    auto key = [](const std::pair<std::string, std::string>& node) {
        return referenceKey(node.first, node.second);
    };
    for (auto& [name, nodes] : expected)
        std::stable_sort(nodes.begin(), nodes.end(),
                         [&](const auto& a, const auto& b) { return key(a) < key(b); });
    std::stable_sort(expected.begin(), expected.end(), [&](const auto& a, const auto& b) {
        if (a.second.empty() || b.second.empty()) return a.second.empty() && !b.second.empty();
        return key(a.second.front()) < key(b.second.front());
    });

    for (const bool whole : {true, false}) {
        SdfReader reader;
        if (whole) {
            size_t ticks = 0;
            reader.read(sdf, [&] { ++ticks; });
            EXPECT_EQ(ticks, std::count(sdf.begin(), sdf.end(), '\n') / 1024);
            reader.sift();
            reader.sift();
        } else {
            forEachLine(sdf, [&](std::string_view l) { reader.line(l); });
            siftNetlist(reader.netlist());
        }
        Netlist& nl = reader.netlist();
        ASSERT_EQ(nl.nets.size(), expected.size());
        for (size_t n = 0; n < expected.size(); ++n) {
            ASSERT_EQ(nl.nets[n].name, expected[n].first) << n;
            Nodes got;
            for (const NetNode& node : nl.nodesOf(nl.nets[n])) got.emplace_back(node.ref, node.pin);
            ASSERT_EQ(got, expected[n].second) << expected[n].first << " whole " << whole;
        }
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
