// What Windows does its own way, checked alike on every system: an output another program holds
// open, names in another case. Non-ASCII names, blanks and read-only outputs go through the
// program itself in scripts/test-windows.
#include <gtest/gtest.h>

#include <cmath>
#include <csignal>
#include <map>

#if !defined(_WIN32)
#include <sys/resource.h>
#endif

#include "support/harness.h"
#include "support/system.h"
#include "util/number.h"
#include "util/text.h"

namespace quorlin::test {
namespace {

const std::string kBoard = crlf({";tango-pcb", "version 1 0", "via c 60 35 gd 1000 1000 0"});

// The message names the held file, and no file changes, the outputs not held included.
TEST(Platform, HeldOutputFailsTheJobAndChangesNothing) {
    TempDir dir;
    dir.write("b.pcb", kBoard);
    ASSERT_EQ(runCliIn(dir, {"pcb", dir.file("b.pcb")}).code, 0);
    dir.write("b.pcb", kBoard + kBoard);
    const auto before = dir.snapshot();
    {
        const auto hold = holdOpen(dir.file("b.rgn"));
        ASSERT_TRUE(hold);
        EXPECT_EQ(runCliIn(dir, {"pcb", dir.file("b.pcb")}).err,
                  "Cannot write file: " + dir.file("b.rgn") + "\n");
    }
    EXPECT_EQ(dir.snapshot(), before);
}

#if !defined(_WIN32)
// A disk that fills up (a file size limit stands in for it): the job fails, and nothing changes.
TEST(Platform, AFullDiskFailsTheJobAndChangesNothing) {
    TempDir dir;
    dir.write("b.pcb", kBoard);
    const auto before = dir.snapshot();
    rlimit saved{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    rlimit small = saved;
    small.rlim_cur = 16;
    const auto handler = std::signal(SIGXFSZ, SIG_IGN);
    ::setrlimit(RLIMIT_FSIZE, &small);
    const CliResult r = runCliIn(dir, {"pcb", dir.file("b.pcb")});
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, handler);
    EXPECT_EQ(r.code, 1);
    EXPECT_NE(r.err.find("Cannot write file: "), std::string::npos) << r.err;
    EXPECT_EQ(dir.snapshot(), before);
}
#endif

// A style file named as the region file but for case: one file on Windows, two elsewhere.
TEST(Platform, NamesInAnotherCaseClashOnWindows) {
    TempDir dir;
    dir.write("b.pcb", kBoard);
    const CliResult r =
        runCliIn(dir, {"pcb", dir.file("b.pcb"), "--style-file", dir.file("B.RGN")});
    EXPECT_EQ(r.err.rfind("Output file name clash: ", 0) == 0, onWindows()) << r.err;
    EXPECT_EQ(dir.exists("B.RGN"), !onWindows());
}

TEST(Numbers, BeyondTheRangeOfADoubleSaturate) {
    const double inf = std::numeric_limits<double>::infinity();
    for (const auto& [text, value] : std::map<std::string, double>{{"-1e400", -inf},
                                                                   {"99e307", inf},
                                                                   {"0.1e310", inf},
                                                                   {"100000e-329", 0},
                                                                   {"0.00001e-320", 0},
                                                                   {"1e308", 1e308},
                                                                   {"4.9e-324", 4.9e-324}})
        EXPECT_EQ(lenient(text), value) << text;
    EXPECT_TRUE(std::signbit(lenient("-1e-400")));
}

}  // namespace
}  // namespace quorlin::test
