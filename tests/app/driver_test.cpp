// What the buttons do beyond the jobs' files: the help box, the grayed graphics option, the
// spinner.
#include <gtest/gtest.h>

#include "app/core/dialog.h"
#include "app/job_run.h"
#include "support/harness.h"

namespace quorlin::test {
namespace {

TEST(Driver, OtherButtonsOnlyHideHelp) {
    JobRun run;
    run.click(7);
    EXPECT_FALSE(run.form().notesVisible);
    EXPECT_EQ(run.form().errorbox, "No Errors");
    EXPECT_EQ(run.host.beeps, 0);
}

// The boxes show what each job counted and reported; nothing has failed before a job ran.
TEST(Driver, BoxesShowWhatEachJobCounted) {
    TempDir dir;
    dir.write("b.pcb", crlf({";tango-pcb", "version 1 0", "via c 60 35 gd 1000 1000 0"}));
    dir.write("b.net",
              crlf({"[", "R1", "fp", "RES", "1k", "", "]", "(", "N1", "R1-1", "R2-1", ")"}));
    JobRun run;
    EXPECT_FALSE(run.failed());
    run.form().fnme = dir.file("b.pcb");
    run.click(0);
    EXPECT_EQ(run.form().counts[count::kVias], "1");
    EXPECT_NE(run.form().reportbox.find("Vc060035\tVc-060-035"), std::string::npos);
    run.form().netfnme = dir.file("b.net");
    run.click(1);
    EXPECT_EQ(run.form().netdata[netdata::kNodesA], "2");
    run.form().netlista = run.form().netlistb = dir.file("b.sdf");
    run.click(2);
    EXPECT_EQ(run.form().netdata[netdata::kPartsB], "1");
    EXPECT_EQ(run.form().netdata[netdata::kNetsA], "1");
    EXPECT_FALSE(run.failed());
}

// A grayed "graphics as tracks" keeps the table the last conversion used.
TEST(Driver, GrayedGraphicsOptionKeepsTheLastDrawModes) {
    Form form;
    LayerDrawModes kept{};
    form.graphastrack = 2;
    EXPECT_EQ(pcbOptions(form, kept).drawModes, LayerDrawModes{});
    for (int checked : {0, 1}) {
        form.graphastrack = checked;
        const LayerDrawModes table = *pcbOptions(form, kept).drawModes;
        EXPECT_EQ(table[8], checked ? 1 : 2);
        form.graphastrack = 2;
        EXPECT_EQ(pcbOptions(form, kept).drawModes, table);
    }
}

TEST(Driver, SpinnerTurnsEveryFourHundredCalls) {
    Spinner s;
    std::string caption;
    s.spinme(0, caption);
    for (int i = 1; i <= 399; ++i) s.spinme(1, caption);
    EXPECT_EQ(caption, "");
    s.spinme(1, caption);
    EXPECT_EQ(caption, "\\");
    for (int i = 401; i <= 3199; ++i) s.spinme(1, caption);
    EXPECT_EQ(caption, "/");
    s.spinme(1, caption);
    EXPECT_EQ(s.spincount(), 0);
    EXPECT_EQ(caption, "--");
    s.spinme(0, caption);
    EXPECT_EQ(caption, "");
}

}  // namespace
}  // namespace quorlin::test
