#include "tango/reader.h"

#include <gtest/gtest.h>

#include "support/run.h"

namespace quorlin {
namespace {

using test::crlf;

// Runs only the reader on source held in memory.
struct ReaderRun {
    test::RecordingHost host;
    Session s{host};
    explicit ReaderRun(const std::string& source, int exclusion = 0, int xport = 0) {
        s.form.exclusion = exclusion;
        s.form.xport = xport;
        s.base = "/nonexistent/board";
        splitprimitivesFrom(s, source);
    }
    std::string count(int box) const { return s.form.counts[static_cast<size_t>(box)]; }
};

std::vector<std::string> strings(const PrimitiveSet& set) {
    return {set.begin(), set.end()};
}

TEST(StripQuotes, Escapes) {
    const std::pair<const char*, const char*> cases[] = {
        {"", ""},       {"plain", "plain"},       {"\\\"A\\\\B\\\"", "'A\\B'"}, {"end\\", "end\\"},
        {"\\n", "\\n"}, {"\"kept\"", "\"kept\""}, {"\\\\\\\"", "\\'"},
    };
    for (const auto& [in, out] : cases) EXPECT_EQ(stripquotes(in), out) << in;
}

TEST(Reader, ClassifiesByKeywordInAnyCase) {
    ReaderRun r(crlf({";tango-pcb", "VERSION 2", "Board 1", "net A 1", "comp R1 x", "via c 1 2", "",
                      "; comment", "frob 1", "pad sq 1 1 1 al nc 0 5 5 0 3 0", "arc 1 2 3 4 5",
                      "text \"t\" 1 2", "line 10 0 1 2 3 4 0 0", "poly 0 1 0 0", "pnt 1 2"}));
    const auto& sets = r.s.sets;
    EXPECT_EQ(strings(sets.headerset),
              (std::vector<std::string>{";tango-pcb", "VERSION 2", "Board 1"}));
    EXPECT_EQ(sets.netset.size(), 1u);
    EXPECT_EQ(sets.compset.size(), 1u);
    EXPECT_EQ(sets.viaset.size(), 1u);
    EXPECT_EQ(strings(sets.trashset), (std::vector<std::string>{"", "; comment", "frob 1"}));
    EXPECT_EQ(sets.freepadset.size(), 1u);
    EXPECT_EQ(sets.freearcset.size(), 1u);
    EXPECT_EQ(sets.freetextset.size(), 1u);
    EXPECT_EQ(sets.trackset.size(), 1u);
    EXPECT_EQ(strings(sets.freepolyset), (std::vector<std::string>{"poly 0 1 0 0", "pnt 1 2"}));
    EXPECT_TRUE(sets.compcontentset.empty());
    const char* expected[13] = {"1", "0", "3", "1", "1", "1", "1", "1", "1", "1", "1", "3", "0"};
    for (int box = 0; box < 13; ++box) EXPECT_EQ(r.count(box), expected[box]) << "box " << box;
    EXPECT_FALSE(r.s.trashempty);
    EXPECT_EQ(r.s.trash(), crlf({"", "; comment", "frob 1"}));
}

TEST(Reader, ComponentGuidesDecideMembership) {
    const std::string board = crlf({
        "pad sq 60 60 32 al nc 0 1 1 0 3 0",   // component 3
        "pad sq 60 60 32 al nc 0 1 1 0 0 0",   // free
        "pad sq 60 60 32 al nc 0 1 1 0 -1 0",  // free
        "poly 8 3 2 0",
        "pnt 1 1",
        "pnt 2 2",
        "pnt 3 3",  // component 2
        "poly 0 3 0 0",
        "pnt 1 1",
        "pnt 2 2",
        "pnt 3 3",                    // free
        "arc 10 0 90 5 8 0 0 0 4 0",  // field 10 = 4
        "arc 10 0 90 5 8 0 0 0 0 7",  // field 10 = 0
        "line 10 8 0 0 1 1 5 0",
        "text \"a b\" 1 2 x3 0",
        "via c 1 1 nc 0 0 9 0",
        "pad",
        "pad 7",
    });
    ReaderRun guides(board, 1);
    const auto& g = guides.s.sets;
    EXPECT_EQ(g.compcontentset.size(), 7u);
    EXPECT_EQ(strings(g.freepadset),
              (std::vector<std::string>{"pad sq 60 60 32 al nc 0 1 1 0 0 0",
                                        "pad sq 60 60 32 al nc 0 1 1 0 -1 0", "pad", "pad 7"}));
    EXPECT_EQ(g.freepolyset.size(), 4u);
    EXPECT_EQ(g.freearcset.size(), 1u);
    EXPECT_EQ(g.viaset.size(), 1u);
    EXPECT_EQ(g.freetextset.size(), 1u);  // "x3" does not start with a number
    EXPECT_EQ(guides.count(12), "1");
    EXPECT_EQ(guides.count(1), "6");
    EXPECT_EQ(guides.count(5), "4");
    EXPECT_EQ(guides.count(8), "1");
    EXPECT_EQ(guides.count(0), "3");

    ReaderRun exploded(board, 0);
    const auto& e = exploded.s.sets;
    EXPECT_TRUE(e.compcontentset.empty());
    EXPECT_EQ(e.freepadset.size(), 5u);
    EXPECT_EQ(e.freepolyset.size(), 8u);
    EXPECT_EQ(e.freearcset.size(), 2u);
    EXPECT_EQ(exploded.count(8), "2");
    EXPECT_EQ(exploded.count(0), "6");
}

TEST(Reader, PntFollowsTheLastPolyOnlyWithGuides) {
    ReaderRun r(crlf({"pnt 0 0", "poly 0 1 5 0", "pnt 1 1", "text \"x\" 0 0", "pnt 2 2",
                      "poly 0 1 0 0", "pnt 3 3"}),
                1);
    EXPECT_EQ(strings(r.s.sets.compcontentset),
              (std::vector<std::string>{"poly 0 1 5 0", "pnt 1 1", "pnt 2 2"}));
    EXPECT_EQ(strings(r.s.sets.freepolyset),
              (std::vector<std::string>{"pnt 0 0", "poly 0 1 0 0", "pnt 3 3"}));
}

TEST(Reader, StoresUnescapedLinesAsRead) {
    ReaderRun r(crlf({"  Text \"\\\"A\\\\B\\\"\" 1 0", "comp \\\"R1\\\" 1"}));
    EXPECT_EQ(strings(r.s.sets.freetextset), (std::vector<std::string>{"  Text \"'A\\B'\" 1 0"}));
    EXPECT_EQ(strings(r.s.sets.compset), (std::vector<std::string>{"comp 'R1' 1"}));
}

TEST(Reader, EmptySourceHasNoLinesAndAResetRegistry) {
    test::RecordingHost host;
    Session s(host);
    s.registry.addstyle("TR10");
    s.sets.trackset.push_back("stale");
    s.form.counts[4] = "77";
    splitprimitivesFrom(s, "");
    EXPECT_EQ(s.registry.stylecount(), 0u);
    EXPECT_TRUE(s.sets.trackset.empty());
    EXPECT_TRUE(s.sets.trashset.empty());
    EXPECT_EQ(s.form.counts[4], "0");
    EXPECT_EQ(host.statuses, (std::vector<std::string>{"Extracting primitives from PCB source file",
                                                       "Primitive extraction complete"}));
}

TEST(Reader, CountsGrowPastSixteenBits) {
    std::string board;
    for (int i = 0; i < 40000; ++i) board += "line 10 0 1 2 3 4 0 0\r\n";
    ReaderRun r(board);
    EXPECT_EQ(r.count(10), "40000");
    EXPECT_EQ(r.s.sets.trackset.size(), 40000u);
}

}  // namespace
}  // namespace quorlin
