#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "region/arcsegments.h"
#include "region/tracks_vias_run.h"
#include "support/run.h"

namespace quorlin::test {
namespace {

const std::string kTopOpen =
    crlf({"*LAYER TOP", "\"T10\" S 1 0 0 0 254000", "\"T10\" S 1 0 0 254000 0"});
const std::string kTopOnly = kTopOpen + "*END_LAYER\r\n";

struct LayerCase {
    const char* name;
    std::vector<std::string> board;
    int graphastrack;
    std::string layers;
};

// The golden boards below hold the longer worked examples (arcs of every step size, the floor of
// -0.3, TS written twice, 15 significant digits, the trash order); these cases hold the rest.
TEST(TrackSections, RecordsAndSectionOrder) {
    const std::vector<LayerCase> cases = {
        {"track on TOP joins the reference section",
         {"line 12 0 100 200 100 300 0 0"},
         0,
         kTopOpen + crlf({"\"T12\" S 1  254000  508000  254000  762000", "*END_LAYER"})},
        {"silk screen, edge and keep-out drawn as graphics are not written here",
         {"line 1 12 0 0 1 0 0 0", "line 1 8 0 0 2 0 0 0", "line 1 9 0 0 3 0 0 0",
          "line 1 14 0 0 4 0 0 0", "arc 10 0 90 1 18 0 0 0 0 0"},
         0,
         kTopOnly},
        {"layer fields are lenient: a word reads 0, 1.0 reads 1",
         {"line 1 abc 0 0 1 0 0 0", "line 1 1.0 0 0 2 0 0 0"},
         0,
         kTopOpen + crlf({"\"T1\" S 1  0  0  2540  0", "*END_LAYER", "*LAYER BOT",
                          "\"T1\" S 1  0  0  5080  0", "*END_LAYER"})},
        {"a quote in the width text cannot unbalance the record",
         {"line 1\"2 1 0 0 1 0 0 0"},
         0,
         kTopOnly + crlf({"*LAYER BOT", "\"T1'2\" S 1  0  0  2540  0", "*END_LAYER"})},
        {"grayed option before any conversion draws no layer but still ends TOP",
         {"line 1 0 0 0 1 0 0 0"},
         2,
         kTopOnly},
    };
    for (const LayerCase& c : cases) {
        SCOPED_TRACE(c.name);
        Form form;
        form.graphastrack = c.graphastrack;
        EXPECT_EQ(convertBoard(c.board, form).layers(), c.layers);
    }
}

TEST(TrackSections, QuarterArcOfRadius100Has15StepsAndARest) {
    std::vector<std::pair<ArcPoint, ArcPoint>> segs;
    cutArc(100, 0, 90, 0, 0, [&](ArcPoint a, ArcPoint b) { segs.emplace_back(a, b); });
    ASSERT_EQ(segs.size(), 16u);
    EXPECT_NEAR(arcStep(100), 5.729578, 1e-6);
    // The 16th segment starts at 15 steps (85.94 degrees) and ends on the end angle, whose
    // cosine is a hair below zero with this pi, so X floors to -1.
    EXPECT_EQ(segs[15].first.x, 17967);
    EXPECT_EQ(segs[15].first.y, 253363);
    EXPECT_EQ(segs[15].second.x, -1);
    EXPECT_EQ(segs[15].second.y, 254000);
    for (size_t i = 1; i < segs.size(); ++i) {
        EXPECT_EQ(segs[i].first.x, segs[i - 1].second.x);
        EXPECT_EQ(segs[i].first.y, segs[i - 1].second.y);
    }
}

TEST(TrackSections, SweepIsCappedAtAFullTurn) {
    auto count = [](double start, double sweep) {
        size_t n = 0;
        cutArc(50, start, sweep, 0, 0, [&](ArcPoint, ArcPoint) { ++n; });
        return n;
    };
    EXPECT_EQ(count(0, 1e300), count(0, 360));
    EXPECT_EQ(count(0, 720), count(0, 360));
    // Where a step vanishes against the start angle the arc still ends.
    EXPECT_LE(count(1e17, 360), 200u);
}

TEST(TrackSections, WidthsRegisteredAscendingOnce) {
    const std::vector<std::string> board = {"line 12 1 0 0 1 1 0 0", "line 8 1 0 0 1 1 0 0",
                                            "arc 10 0 5 12.0 1 0 0 0 0 0"};
    const std::string block =
        crlf({"Define the following Tracks in ARES:", std::string(36, '-'), "TR8", "TR12", ""});
    const std::string box =
        crlf({"Define the following Tracks in ARES:", std::string(58, '-'), "TR8", "TR12", ""});

    Converted listed = convertBoard(board);
    EXPECT_TRUE(endsWith(listed.rep, block));
    EXPECT_TRUE(endsWith(listed.reportbox, box));
    EXPECT_EQ(listed.styles, (std::vector<std::string>{"TR8", "TR12"}));
    EXPECT_NE(listed.layers().find("\"T12.0\" S 1"), std::string::npos);

    Form form;
    form.writestyle = 1;
    Converted registered = convertBoard(board, form);
    EXPECT_EQ(registered.styles, listed.styles);
    EXPECT_EQ(registered.reportbox.find("Tracks"), std::string::npos);
    EXPECT_FALSE(registered.repExists);
}

TEST(TrackSections, WidthsOutsideTheTableAreReportedNotRegistered) {
    const std::vector<std::string> board = {
        "line 300 1 0 0 1 1 0 0", "line -3 1 0 0 1 1 0 0",  "line 250.5 1 0 0 1 1 0 0",
        "line 0.5 1 0 0 1 1 0 0", "line 1.5 1 0 0 1 1 0 0", "arc 10 0 5 300 1 0 0 0 0 0"};
    const std::vector<std::string> notes = {"Track width outside 0 to 250 not registered: -3",
                                            "Track width outside 0 to 250 not registered: 300"};

    Converted listed = convertBoard(board);
    EXPECT_EQ(listed.styles, (std::vector<std::string>{"TR0", "TR2", "TR250"}));
    std::vector<std::string> block = {"TR0", "TR2", "TR250"};
    block.insert(block.end(), notes.begin(), notes.end());
    block.push_back("");
    EXPECT_TRUE(endsWith(listed.rep, crlf(block)));
    EXPECT_TRUE(endsWith(listed.reportbox, crlf(block)));
    EXPECT_NE(listed.layers().find("\"T300\" S 1  0  0  2540  2540"), std::string::npos);
    EXPECT_EQ(listed.statuses.back(), "Conversion complete");

    Form form;
    form.writestyle = 1;
    Converted registered = convertBoard(board, form);
    EXPECT_EQ(registered.styles, listed.styles);
    EXPECT_TRUE(endsWith(registered.reportbox, crlf(notes)));
    EXPECT_EQ(registered.reportbox.find("Define the following Tracks"), std::string::npos);
}

TEST(TrackSections, UnwritableRecordsGoToTheTrashInOrder) {
    Converted c = convertBoard({
        "arc 10 0 5 8 -1 0 0 0 0 0",
        "line 7 1 1O0 0 1 1 0 0",  // the only layer-1 record: no section, no TR7
        "line 9 23 0 0 1 1 0 0",
        "line 9 1.5 0 0 1 1 0 0",
        "line 6 4 0 0 x 1 0 0",
        "line 5 4 0 0 1 1 0 0",
    });
    EXPECT_EQ(c.layers(),
              kTopOnly + crlf({"*LAYER I1", "\"T5\" S 1  0  0  2540  2540", "*END_LAYER"}));
    EXPECT_EQ(c.styles, (std::vector<std::string>{"TR5"}));
    EXPECT_EQ(c.trash,
              crlf({"Items read from source that were not handled", std::string(44, '-'),
                    "line 7 1 1O0 0 1 1 0 0", "line 6 4 0 0 x 1 0 0", "line 9 23 0 0 1 1 0 0",
                    "line 9 1.5 0 0 1 1 0 0", "arc 10 0 5 8 -1 0 0 0 0 0"}));
    EXPECT_EQ(c.statuses.back(), "Conversion complete");
}

TEST(TrackSections, NothingToExport) {
    Converted c = convertBoard({";tango-pcb"});
    EXPECT_EQ(c.layers(), "");
    EXPECT_EQ(c.rgn.find("*LAYER"), std::string::npos);
    EXPECT_EQ(c.reportbox.find("Tracks"), std::string::npos);
    EXPECT_TRUE(c.styles.empty());
    const std::vector<std::string> tail = {"Exporting tracks and arcs to Ares region file",
                                           "No tracks or arcs to export", "Conversion complete"};
    ASSERT_GE(c.statuses.size(), tail.size());
    EXPECT_EQ(std::vector<std::string>(c.statuses.end() - 3, c.statuses.end()), tail);
}

// Boards under tests/data/region/tracks/<case>/board.pcb with the .rgn, .rep and _Trash.txt the
// job must write beside them; a missing expected file must not be written. Setting
// QUORLIN_UPDATE_GOLDEN rewrites the expected files from the job's output (review them after).
struct GoldenCase {
    const char* dir;
    int graphastrack;
    int writestyle;
};

// Each board also runs with blocks of one and two records, so the second thread formats every
// other record: the files must not change by a byte.
TEST(TrackSections, GoldenBoards) {
    const std::string root = std::string(QUORLIN_TEST_DATA) + "/region/tracks/";
    const bool update = std::getenv("QUORLIN_UPDATE_GOLDEN") != nullptr;
    for (const GoldenCase& g : {GoldenCase{"layers", 0, 0}, GoldenCase{"silk_as_tracks", 1, 1},
                                GoldenCase{"vias", 0, 0}}) {
        for (size_t block : {size_t{512}, size_t{1}, size_t{2}}) {
            SCOPED_TRACE(std::string(g.dir) + " in blocks of " + std::to_string(block));
            const std::string caseDir = root + g.dir + "/";
            TempDir dir;
            Form form;
            form.graphastrack = g.graphastrack;
            form.writestyle = g.writestyle;
            form.stylefile = dir.file("Default.STY");
            PcbRun run;
            run.session.segmentBlock = block;
            runPcb(run, dir, readFile(caseDir + "board.pcb"), form);
            for (const char* name : {"board.rgn", "board.rep", "board_Trash.txt"}) {
                SCOPED_TRACE(name);
                const bool expected = std::filesystem::exists(caseDir + name);
                if (update) {
                    if (dir.exists(name))
                        writeFile(caseDir + name, dir.read(name));
                    else if (expected)
                        std::filesystem::remove(caseDir + name);
                    continue;
                }
                ASSERT_EQ(dir.exists(name), expected);
                if (expected) {
                    EXPECT_EQ(dir.read(name), readFile(caseDir + name));
                }
            }
            if (update) break;
        }
    }
}

}  // namespace
}  // namespace quorlin::test
