// Tango netlist reading: node splitting, and the fast whole-file reader against line by line.
#include <gtest/gtest.h>

#include <iterator>
#include <random>

#include "netlist/sdfwriter.h"
#include "netlist/tangonetlist.h"
#include "support/harness.h"
#include "util/text.h"

namespace quorlin {
namespace {

TEST(TangoNode, SplitsReferenceAndPin) {
    const struct {
        const char* line;
        const char* ref;
        const char* pin;
    } rows[] = {
        {"R1-1", "R1", "1"},
        {"C1-2 ; decoupling", "C1", "2"},
        {"  U3 - 14  ", "U3", "14"},
        {"A-B-C", "A", "B"},
        {"C1,2", "C1", "2"},
        {"C1,2   bottom side", "C1", "2"},
        {"X1,2,3", "X1", "2"},
        {"Q1-2,3", "Q1", "2,3"},  // a "-" wins over a ","
        {"TP1", "TP1", ""},
        {"TP1 probe", "TP1", ""},
        {"-7", "", "7"},
    };
    for (const auto& r : rows) {
        const NetNode n = parseTangoNode(r.line);
        EXPECT_EQ(n.ref, r.ref) << r.line;
        EXPECT_EQ(n.pin, r.pin) << r.line;
    }
}

// A large file read whole, where most node lines are split at once, gives what reading it line
// by line gives: node lines of every shape, parts and nets left open, stray closers.
TEST(TangoNetlist, WholeFileAsLineByLine) {
    static const char* const kNodes[] = {"R1-1",
                                         "U12-3",
                                         "C1,2",
                                         "X1,2,3",
                                         "Q1-2,3",
                                         "U12345-6-7",
                                         "R1-22222-3",
                                         "A-B-C",
                                         "TP1",
                                         "-7",
                                         "7-",
                                         "R 1-2",
                                         "R1 - 2",
                                         "C1,2 ; x",
                                         "",
                                         "   ",
                                         "IC10A-B3",
                                         "R1234567890123-45",
                                         "(",
                                         ")",
                                         "[",
                                         "]",
                                         "U1-1234567890",
                                         ",",
                                         "-",
                                         "\xB5"
                                         "C1-1"};
    std::mt19937 rng(21);
    std::string text;
    for (int i = 0; i < 4000; ++i) {
        const unsigned pick = rng() % 10;
        if (pick == 0) {
            text += "[\nR" + std::to_string(i) + "\nPKG\n10K, 1%\n\n\n]\n";
        } else if (pick == 1) {
            text += "(\nNET " + std::to_string(i) + "\n";
        } else if (pick == 2) {
            text += ")\n";
        } else {
            text += kNodes[rng() % std::size(kNodes)];
            text += rng() % 4 == 0 ? "\r\n" : "\n";
        }
    }
    for (const bool strip : {false, true}) {
        TangoNetlistReader whole(strip), byLine(strip);
        size_t ticks = 0;
        whole.read(text, [&] { ++ticks; });
        whole.finish();
        forEachLine(text, [&](std::string_view l) { byLine.line(l); });
        byLine.finish();
        EXPECT_EQ(ticks, test::splitLines(text).size() / TangoNetlistReader::kTickLines);
        EXPECT_EQ(whole.partCount(), byLine.partCount());
        const Netlist& a = whole.netlist();
        const Netlist& b = byLine.netlist();
        ASSERT_EQ(a.nets.size(), b.nets.size());
        ASSERT_EQ(a.nodes.size(), b.nodes.size());
        for (size_t i = 0; i < a.nets.size(); ++i) {
            EXPECT_EQ(a.nets[i].name, b.nets[i].name);
            EXPECT_EQ(a.nets[i].first, b.nets[i].first);
            EXPECT_EQ(a.nets[i].count, b.nets[i].count);
        }
        for (size_t i = 0; i < a.nodes.size(); ++i) {
            EXPECT_EQ(a.nodes[i].ref, b.nodes[i].ref) << i;
            EXPECT_EQ(a.nodes[i].pin, b.nodes[i].pin) << i;
        }
        EXPECT_EQ(writeSdf(a, "c", "m"), writeSdf(b, "c", "m"));
    }
}

}  // namespace
}  // namespace quorlin
