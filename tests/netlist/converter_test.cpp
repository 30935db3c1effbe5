// Tango netlist to SDF: node splitting, block handling, golden SDF files and the job's texts.
#include <gtest/gtest.h>

#include <iterator>
#include <random>

#include "app/core/driver.h"
#include "netlist/sdfwriter.h"
#include "netlist/tangonetlist.h"
#include "support/run.h"
#include "util/text.h"

namespace quorlin {
namespace {

using test::RecordingHost;
using test::TempDir;

std::string golden(const std::string& name) {
    return test::testData("netlist/" + name);
}

struct NetRun {
    RecordingHost host;
    Session session{host};
};

void runNet(NetRun& run, const std::string& path, int xpattern = 0) {
    run.session.form.netfnme = path;
    run.session.form.xpattern = xpattern;
    Commands_Click(run.session, 1);
}

Netlist read(std::string_view text) {
    TangoNetlistReader reader(false);
    forEachLine(text, [&](std::string_view l) { reader.line(l); });
    reader.finish();
    return std::move(reader.netlist());
}

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

TEST(TangoNetlist, GoldenFiles) {
    const struct {
        const char* source;
        int xpattern;
        const char* expected;
        const char* counts[3];
    } rows[] = {
        {"example.net", 0, "example.sdf", {"1", "2", "1"}},
        {"board.net", 0, "board.sdf", {"5", "13", "5"}},
        {"board.net", 1, "board_stripped.sdf", {"5", "13", "5"}},
    };
    for (const auto& r : rows) {
        TempDir dir;
        dir.write("in.net", golden(r.source));
        NetRun run;
        runNet(run, dir.file("in.net"), r.xpattern);
        EXPECT_EQ(dir.read("in.sdf"), golden(r.expected)) << r.expected;
        EXPECT_EQ(dir.read("in.net"), golden(r.source));
        for (size_t i = 0; i < 3; ++i) EXPECT_EQ(run.session.form.netdata[i], r.counts[i]);
        EXPECT_EQ(run.host.statuses,
                  (std::vector<std::string>{"", "Converting Tango netlist to Ares SDF netlist",
                                            "Tango netlist to Ares SDF conversion complete"}));
        EXPECT_EQ(run.host.beeps, 1);
    }
}

// Bodies after the fixed header: what unclosed, stray and odd blocks give.
TEST(TangoNetlist, BlockEdges) {
    const struct {
        const char* what;
        const char* source;
        std::vector<std::string> body;
    } rows[] = {
        {"empty file", "", {"*PARTLIST,0", "", "*NETLIST,0", "", "*GATES,0"}},
        {"last line opens a net",
         "(\n",
         {"*PARTLIST,0", "", "*NETLIST,1", ",0", "", "", "*GATES,0"}},
        {"net left open at the end",
         "(\nN 1\nR1-1\nR2-1\n",
         {"*PARTLIST,0", "", "*NETLIST,1", "N_1,2", "R1,PS,1", "R2,PS,1", "", "", "*GATES,0"}},
        {"net opened inside a net",
         "(\nA\nR1-1\n(\nB\nR2-2\n)\n",
         {"*PARTLIST,0", "", "*NETLIST,2", "A,1", "R1,PS,1", "", "B,1", "R2,PS,2", "", "",
          "*GATES,0"}},
        {"part left open, then another and the end",
         "[\nR1\nP1\n1K\n[\nR2\nP2\n",
         {"*PARTLIST,2", "R1,1K,,EID=1,PACKAGE=P1", "R2,,,EID=2,PACKAGE=P2", "", "*NETLIST,0", "",
          "*GATES,0"}},
        {"stray closers and lines outside blocks",
         "]\n)\nR9-1\n\n[\nR1\nP\nV\nX\n]\n]\n",
         {"*PARTLIST,1", "R1,V,X,EID=1,PACKAGE=P", "", "*NETLIST,0", "", "*GATES,0"}},
        {"long part block keeps its first lines",
         "[\nR1\nP\nV\nX\n5\n6\n7\n8\n9\n10\n]\n",
         {"*PARTLIST,1", "R1,V,X,EID=1,PACKAGE=P", "", "*NETLIST,0", "", "*GATES,0"}},
        {"empty lines inside a net are no nodes",
         "(\nV\n\nR1-1\n   \n)\n",
         {"*PARTLIST,0", "", "*NETLIST,1", "V,1", "R1,PS,1", "", "", "*GATES,0"}},
        {"lone CR line ends",
         "(\rVCC\rR1-1\r)\r",
         {"*PARTLIST,0", "", "*NETLIST,1", "VCC,1", "R1,PS,1", "", "", "*GATES,0"}},
    };
    const std::string header =
        test::crlf({"ISIS SCHEMATIC DESCRIPTION FORMAT 6.1", std::string(37, '='),
                    "Design:   <NONE>", "Doc. no.: <NONE>", "Revision: <NONE>", "Author:   <NONE>",
                    "Created:  c", "Modified: m", "", "*PROPERTIES,0", "", "*MODELDEFS,0", ""});
    for (const auto& r : rows) {
        const std::string sdf = writeSdf(read(r.source), "c", "m");
        ASSERT_EQ(sdf.substr(0, header.size()), header) << r.what;
        EXPECT_EQ(sdf.substr(header.size()), test::crlf(r.body)) << r.what;
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
        EXPECT_EQ(ticks, splitLines(text).size() / TangoNetlistReader::kTickLines);
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

TEST(NetConverter, NeverOverwritesItsSource) {
    TempDir dir;
    dir.write("board.sdf", golden("example.net"));
    NetRun run;
    runNet(run, dir.file("board.sdf"));
    EXPECT_TRUE(run.session.failed);
    EXPECT_EQ(run.session.form.errorbox, "Output file name clash: " + dir.file("board.sdf"));
    EXPECT_EQ(dir.read("board.sdf"), golden("example.net"));
    EXPECT_EQ(run.host.beeps, 1);
}

}  // namespace
}  // namespace quorlin
