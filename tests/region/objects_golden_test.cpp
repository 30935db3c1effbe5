// Whole conversions of hand-written boards compared with reviewed outputs. The objects section
// is written first: its share of the region file (through *END_OBJECTS), its report lists and its
// trash lines lead their files, so each expected file must be the start of the written one;
// what follows belongs to the via and track writers.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>

#include "support/run.h"

namespace {

using quorlin::test::PcbRun;
using quorlin::test::readFile;
using quorlin::test::TempDir;

struct GoldenCase {
    const char* dir;
    int exclusion, graphastrack, tagpads;
};

const GoldenCase kGoldens[] = {
    {"guides", 1, 0, 1},
    {"exploded", 0, 0, 1},
    {"silk_graphics", 0, 0, 0},
    {"silk_as_tracks", 0, 1, 0},
};

class ObjectsGolden : public ::testing::TestWithParam<GoldenCase> {};

TEST_P(ObjectsGolden, OutputsStartWithTheReviewedFiles) {
    const GoldenCase& c = GetParam();
    const std::filesystem::path data =
        std::filesystem::path(QUORLIN_TEST_DATA) / "region" / "objects" / c.dir;
    TempDir dir;
    PcbRun run;
    quorlin::Form form;
    form.exclusion = c.exclusion;
    form.graphastrack = c.graphastrack;
    form.tagpads = c.tagpads;
    quorlin::test::runPcb(run, dir, readFile(data / "board.pcb"), form);
    ASSERT_EQ(run.session.form.errorbox, "Conversion complete");

    for (const char* name : {"board.rgn", "board.rep", "board_Trash.txt"}) {
        SCOPED_TRACE(name);
        ASSERT_EQ(dir.exists(name), std::filesystem::exists(data / name));
        if (!dir.exists(name)) continue;
        const std::string expected = readFile(data / name);
        const std::string actual = dir.read(name);
        ASSERT_GE(actual.size(), expected.size());
        EXPECT_EQ(actual.substr(0, expected.size()), expected);
    }
    // The expected region file stops where the objects section ends.
    const std::string rgn = readFile(data / "board.rgn");
    EXPECT_TRUE(rgn.ends_with("*END_OBJECTS\r\n"));
}

// Large outputs go to their temporary files in pieces while the job runs, and large sets are
// written in blocks on two threads; with every record handed over at once, in blocks of one
// record, no byte may differ in any file, export and style list included.
TEST_P(ObjectsGolden, PiecesAndBlocksChangeNoByte) {
    const GoldenCase& c = GetParam();
    const std::string board = readFile(std::filesystem::path(QUORLIN_TEST_DATA) / "region" /
                                       "objects" / c.dir / "board.pcb");
    std::map<std::string, std::string> files[2];
    for (int staged = 0; staged < 2; ++staged) {
        TempDir dir;
        PcbRun run;
        if (staged) {
            run.session.out.setSpill(1, 1);
            run.session.segmentBlock = 1;
        }
        quorlin::Form form;
        form.exclusion = c.exclusion;
        form.graphastrack = c.graphastrack;
        form.tagpads = c.tagpads;
        form.xport = 1;
        form.writestyle = 1;
        form.stylefile = dir.file("ares.sty");
        quorlin::test::runPcb(run, dir, board, form);
        ASSERT_EQ(run.session.form.errorbox, "Conversion complete");
        files[staged] = dir.snapshot();
    }
    EXPECT_GT(files[0].size(), 10u);
    EXPECT_EQ(files[0], files[1]);
}

INSTANTIATE_TEST_SUITE_P(Boards, ObjectsGolden, ::testing::ValuesIn(kGoldens),
                         [](const auto& info) { return std::string(info.param.dir); });

}  // namespace
