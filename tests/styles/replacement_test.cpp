// Replacing the user's ARES style file: a failure at any step of the commit loses nothing.
#include <gtest/gtest.h>

#include <string>

#include "styles/stylefile.h"
#include "support/harness.h"

namespace quorlin::test {
namespace {

TEST(StyleFileReplacement, AFailureAtAnyStepLosesNothing) {
    using F = FaultyFileSystem;
    struct Case {
        const char* label;
        F::Fault fault;  // "@" stands for the style file
        // Where the user's old style file is afterwards.
        const char* userFileAt;
    };
    const Case cases[] = {
        {"read-only folder", {F::Write, "@.tmp*"}, "Default.STY"},
        {"locked backup", {F::Remove, "@.bak"}, "Default.STY"},
        {"locked style file", {F::Rename, "@"}, "Default.STY"},
        {"last rename", {F::Rename, "@.tmp*"}, "Default.STY"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        TempDir dir;
        const std::string sty = dir.file("Default.STY");
        dir.write("Default.STY", "user styles\r\n");
        dir.write("Default.STY.bak", "older backup\r\n");
        FaultyFileSystem faulty;
        faulty.faults.push_back(c.fault);
        faulty.faults.back().path.replace(0, 1, sty);
        ScopedFileSystem scoped(faulty);

        PcbJobRun run;
        PcbJob& s = run.job;
        s.base = dir.file("board");
        run.options.styleFile = sty;
        s.registry.addstyle("sq060060032");
        writestylefile(s);
        EXPECT_FALSE(s.commitOutputs({}));
        EXPECT_EQ(run.result.message, "Cannot write file: " + sty);
        EXPECT_EQ(run.host.beeps, 1);
        EXPECT_EQ(dir.read(c.userFileAt), "user styles\r\n");
        for (const auto& [name, data] : dir.snapshot())
            EXPECT_EQ(name.find(".tmp"), std::string::npos) << "temporary file left: " << name;
        // A failed commit writes none of the job's files.
        EXPECT_FALSE(dir.exists("board_styles.txt"));
    }
}

}  // namespace
}  // namespace quorlin::test
