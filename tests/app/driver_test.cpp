// What the buttons do beyond the jobs' files: the help box, the grayed graphics option, the
// spinner.
#include "app/core/driver.h"

#include <gtest/gtest.h>

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

// A grayed "graphics as tracks" keeps the table the last conversion used.
TEST(Driver, GrayedGraphicsOptionKeepsTheLastDrawModes) {
    JobRun run;
    Session& s = run.session;
    s.form.graphastrack = 2;
    fillLayerDrawMode(s);
    EXPECT_EQ(s.layerdrawmode, decltype(s.layerdrawmode){});
    for (int checked : {0, 1}) {
        s.form.graphastrack = checked;
        fillLayerDrawMode(s);
        const auto table = s.layerdrawmode;
        EXPECT_EQ(table[8], checked ? 1 : 2);
        s.form.graphastrack = 2;
        fillLayerDrawMode(s);
        EXPECT_EQ(s.layerdrawmode, table);
    }
}

TEST(Driver, SpinnerTurnsEveryFourHundredCalls) {
    JobRun run;
    Session& s = run.session;
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

}  // namespace
}  // namespace quorlin::test
