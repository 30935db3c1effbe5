// The style records written for registered names, checked byte for byte.
#include "styles/stylefile.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "styles/stylerecords.h"
#include "support/harness.h"
#include "util/text.h"

namespace quorlin::test {
namespace {

std::string golden(const std::string& name) {
    return testData("styles/" + name);
}

// Registers names in order, runs the writer and commits; returns "_styles.txt".
std::string writeStyles(PcbJobRun& run, const TempDir& dir, const std::vector<std::string>& names,
                        int guardGap, bool replicatePads) {
    PcbJob& s = run.job;
    s.base = dir.file("board");
    run.options.guardGap = guardGap;
    run.options.replicatePads = replicatePads;
    for (const auto& name : names) s.registry.addstyle(name);
    writestylefile(s);
    EXPECT_TRUE(s.commitOutputs({}));
    return dir.read("board_styles.txt");
}

const std::vector<std::string> kMixed = {
    "TR2",         "sq060060032", "sq060040032", "sq060040000", "rr060040032", "el080080040",
    "el080050040", "el060060000", "ov060060000", "ov090030032", "mh040040040", "mh125100090",
    "mh050050000", "tg080000000", "tg075000000", "xx060060000", "sq0600",      "Vc060035",
    "VS050028",    "Vx050028",    "TR10",        "TR0",         "TR250"};

struct GoldenCase {
    const char* file;
    std::vector<std::string> names;
    int guardGap;
    bool replicatePads;
};

TEST(StyleFile, MatchesGoldenFiles) {
    const GoldenCase cases[] = {
        {"empty.sty", {}, 3, false},
        {"through.sty", kMixed, 0, false},
        {"replicate.sty", kMixed, 10, true},
        {"polygons.sty", {"rr060040000", "el080050000", "ov040070000", "ov090030000"}, 3, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        TempDir dir;
        PcbJobRun run;
        EXPECT_EQ(writeStyles(run, dir, c.names, c.guardGap, c.replicatePads), golden(c.file));
    }
}

// Single records whose text the golden files would hide among many lines.
TEST(StyleFile, RecordsOfSingleNames) {
    struct Case {
        const char* name;
        int replicate;
        std::vector<std::string> lines;
    };
    const Case cases[] = {
        {"sq060060032", 0, {"sq060060032,SPAD,60th,60th,32th,3th,10th"}},
        {"sq060060032", 1, {"sq060060032,SPAD,60th,60th,32th,3th,10th"}},
        {"mh040040040", 0, {"mh040040040,CPAD,41th,41th,40th,3th,10th"}},
        {"tg075000000", 0, {"tg075000000,CPAD,75th,75th,37th,3th,0"}},
        {"el075031040", 0, {"el075031040,CPAD,31th,31th,40th,3th,10th"}},
        // Short names read their missing dimensions as 0.
        {"sq06", 0, {"sq06,RSMPAD,6th,0th,0,3th,0"}},
        {"", 0, {}},
        {"Vs05002", 0, {"Vs05002,SVIA,50th,50th,2th,3th,10th"}},
        // Kinds read case-insensitively.
        {"SQ060040000", 0, {"SQ060040000,RSMPAD,60th,40th,0,3th,0"}},
        // Rows that do not exist: a via with a hole, a mounting hole or tag without one.
        {"vc060035010", 0, {}},
        {"mh050050000", 0, {}},
        {"qq060040032", 1, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::string out;
        appendPadStyle(out, c.name, "3th", c.replicate == 1);
        EXPECT_EQ(out, crlf(c.lines));
    }
}

TEST(StyleFile, SquareStackWithReplicate) {
    std::string out;
    appendPadStyle(out, "sq060040032", "3th", true);
    std::vector<std::string> expected = {"STKsq060040,RSMPAD,60th,40th,0,3th,0",
                                         "sq060040032,STACK,HOLE,32th,10th"};
    expected.insert(expected.end(), 20, "+ STKsq060040");
    EXPECT_EQ(out, crlf(expected));
}

TEST(StyleFile, RoundedRectangleCorners) {
    std::string out;
    appendPadStyle(out, "rr060040000", "3th", false);
    const std::vector<std::string_view> lines = test::splitLines(out);
    ASSERT_EQ(lines.size(), 41u);
    EXPECT_EQ(lines[0], "rr060040000,PSMPAD,40,0,0,3th");
    EXPECT_EQ(lines[1], "+  30th, 10th");
    EXPECT_EQ(lines[2], "+  29.8th, 11.7th");
    // Corner points keep the error of the trigonometry instead of being rounded.
    EXPECT_EQ(lines[10], "+  19.999999997949th, 20th");
    EXPECT_EQ(lines[11], "+ -20.000000002051th, 20th");
    EXPECT_EQ(lines[40], "+  30th,-9.99999999179586th");
}

TEST(StyleFile, TrackNamesSortNumericallyAndRegistryKeepsItsOrder) {
    TempDir dir;
    PcbJobRun run;
    const std::string text =
        writeStyles(run, dir, {"TR10", "sq060060032", "TR2", "Vc060035", "tr7"}, 3, false);
    EXPECT_NE(text.find("RELIEF,10th\r\nT2,2th\r\nT7,7th\r\nT10,10th\r\n*\r\n\r\n"),
              std::string::npos);
    const std::vector<std::string> expected = {"Vc060035", "ZT0002", "ZT0007", "ZT0010",
                                               "sq060060032"};
    EXPECT_EQ(sortedStyleNames(run.job.registry), expected);
    EXPECT_EQ(run.job.registry.styles(),
              (std::vector<std::string>{"TR10", "sq060060032", "TR2", "Vc060035", "tr7"}));
}

TEST(StyleFile, SortIsUnsignedByteOrder) {
    std::vector<std::string> names = {"\xC3sq060060032", "sq060060032", "Tr12345", "ZZ",
                                      "Vc060035"};
    rewriteTrackNames(names);
    EXPECT_EQ(names[2], "ZT2345");
    TempDir dir;
    PcbJobRun run;
    writeStyles(run, dir, names, 3, false);
    const std::vector<std::string> expected = {"Vc060035", "ZT2345", "ZZ", "sq060060032",
                                               "\xC3sq060060032"};
    EXPECT_EQ(sortedStyleNames(run.job.registry), expected);
}

// Only a backup this program wrote may be deleted: anything else is a user's file.
TEST(StyleFile, BackupsThisProgramWroteAreKnownByTheirFirstTwoLines) {
    const std::string first = ";PAD STYLES", second = "DEFAULT,CVIA,50th,50th,25th,3th,10th";
    const std::pair<std::string, bool> rows[] = {
        {first + "\r\n" + second + "\r\n*\r\n", true},
        {first + "\r" + second + "\r", true},
        {first + "\n" + second + "\n", true},
        {first + "\r\n" + second, false},
        {"\xEF\xBB\xBF" + first + "\r\n" + second + "\r\n", false},
        {first + "\r\n\r\n" + second + "\r\n", false},
        {first + "\r\nDEFAULT,CVIA,50th,50th,25th,2th,10th\r\n", false},
        {" " + first + "\r\n" + second + "\r\n", false},
        {"", false},
    };
    for (const auto& [text, ours] : rows) EXPECT_EQ(startsAsWrittenStyleFile(text), ours) << text;
    EXPECT_TRUE(startsAsWrittenStyleFile(styleFileText({}, 3, false)));
}

}  // namespace
}  // namespace quorlin::test
