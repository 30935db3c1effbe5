#include "app/core/driver.h"

#include <gtest/gtest.h>

#include "support/run.h"

namespace quorlin {
namespace {

using test::crlf;

const std::string kTrashHeading = crlf({"Items read from source that were not handled",
                                        "--------------------------------------------"});

TEST(Driver, MissingSourcesOnlySayWhichAndBeep) {
    struct Case {
        int job;
        const char* message;
    };
    const Case cases[] = {{0, "Source file name is not valid"},
                          {1, "Netlist source file name is not valid"},
                          {2, "Netlist A source file name is not valid"}};
    for (const auto& c : cases) {
        test::TempDir dir;
        test::RecordingHost host;
        Session s(host);
        s.form.fnme = s.form.netfnme = s.form.netlista = dir.file("missing.pcb");
        s.form.reportbox = "old report";
        Commands_Click(s, c.job);
        EXPECT_EQ(s.form.errorbox, c.message);
        EXPECT_EQ(host.beeps, 1);
        EXPECT_TRUE(s.failed);
        EXPECT_FALSE(s.form.notesVisible);
        EXPECT_TRUE(dir.snapshot().empty());
        if (c.job == 0) {
            EXPECT_EQ(s.form.reportbox, "");
        }
    }
}

TEST(Driver, SecondNetlistIsCheckedToo) {
    test::TempDir dir;
    dir.write("a.sdf", "");
    test::RecordingHost host;
    Session s(host);
    s.form.netlista = dir.file("a.sdf");
    s.form.netlistb = dir.file("b.sdf");
    Commands_Click(s, 2);
    EXPECT_EQ(s.form.errorbox, "Netlist B source file name is not valid");
}

TEST(Driver, OtherButtonsOnlyHideHelp) {
    test::RecordingHost host;
    Session s(host);
    Commands_Click(s, 7);
    EXPECT_FALSE(s.form.notesVisible);
    EXPECT_EQ(s.form.errorbox, "No Errors");
    EXPECT_EQ(host.beeps, 0);
}

TEST(Driver, TrashFileLivesOnlyWhenSomethingWasUnhandled) {
    test::TempDir dir;
    test::PcbRun clean;
    test::runPcb(clean, dir, crlf({";tango-pcb", "version 1"}));
    EXPECT_EQ(clean.session.form.errorbox, "Conversion complete");
    EXPECT_FALSE(dir.exists("board_Trash.txt"));
    EXPECT_TRUE(dir.exists("board.rgn"));
    EXPECT_TRUE(dir.exists("board.rep"));

    dir.write("board_Trash.txt", "stale");
    test::PcbRun dirty;
    test::runPcb(dirty, dir, crlf({";tango-pcb", "frob 1", "", "zap"}));
    EXPECT_EQ(dir.read("board_Trash.txt"), kTrashHeading + crlf({"frob 1", "", "zap"}));
    EXPECT_EQ(dirty.session.form.counts[11], "3");
    EXPECT_EQ(dirty.host.beeps, 1);
}

TEST(Driver, StyleFileModeLeavesTheReportAlone) {
    test::TempDir dir;
    dir.write("board.rep", "keep me");
    Form form;
    form.writestyle = 1;
    form.stylefile = dir.file("Default.STY");
    test::PcbRun run;
    test::runPcb(run, dir, crlf({";tango-pcb"}), form);
    EXPECT_EQ(dir.read("board.rep"), "keep me");
}

TEST(Driver, LayerDrawModeFollowsTheCheckState) {
    test::RecordingHost host;
    Session s(host);
    s.form.graphastrack = 2;
    fillLayerDrawMode(s);
    for (int mode : s.layerdrawmode) EXPECT_EQ(mode, 0);
    s.form.graphastrack = 1;
    fillLayerDrawMode(s);
    const std::array<int, 23> tracks = {1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1,
                                        1, 1, 2, 2, 2, 2, 2, 1, 1, 1, 1};
    EXPECT_EQ(s.layerdrawmode, tracks);
    s.form.graphastrack = 2;
    fillLayerDrawMode(s);
    EXPECT_EQ(s.layerdrawmode, tracks);
    s.form.graphastrack = 0;
    fillLayerDrawMode(s);
    const std::array<int, 23> graphics = {1, 1, 1, 1, 1, 1, 1, 1, 2, 2, 1, 1,
                                          2, 2, 2, 2, 2, 2, 2, 1, 1, 1, 1};
    EXPECT_EQ(s.layerdrawmode, graphics);
}

TEST(Driver, SpinnerTurnsEveryFourHundredCalls) {
    test::RecordingHost host;
    Session s(host);
    s.spinme(0);
    for (int i = 1; i <= 399; ++i) s.spinme(1);
    EXPECT_EQ(s.form.spinner, "");
    s.spinme(1);
    EXPECT_EQ(s.form.spinner, "\\");
    for (int i = 401; i <= 3199; ++i) s.spinme(1);
    EXPECT_EQ(s.form.spinner, "/");
    s.spinme(1);
    EXPECT_EQ(s.spincount, 0);
    EXPECT_EQ(s.form.spinner, "--");
    s.spinme(0);
    EXPECT_EQ(s.form.spinner, "");
}

TEST(Driver, LineEndsDoNotChangeTheOutputs) {
    const std::vector<std::string> lines = {";tango-pcb", "board 1", "net A 1", "frob",
                                            "pad sq 60 60 32 al nc 0 1 1 0 0 0"};
    std::map<std::string, std::string> reference;
    for (const char* end : {"\r\n", "\n", "\r"}) {
        std::string board;
        for (const auto& l : lines) board += l + end;
        test::TempDir dir;
        Form form;
        form.xport = 1;
        test::PcbRun run;
        test::runPcb(run, dir, board, form);
        auto files = dir.snapshot();
        files.erase("board.pcb");
        EXPECT_EQ(files.size(), 14u);
        if (reference.empty()) {
            reference = files;
        } else {
            EXPECT_EQ(files, reference) << "line end " << int(end[0]);
        }
    }
    EXPECT_EQ(reference["board_header.txt"], crlf({";tango-pcb", "board 1"}));
    EXPECT_EQ(reference["board_FreeArc.txt"], "");
}

}  // namespace
}  // namespace quorlin
