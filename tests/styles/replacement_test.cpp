// Replacing the user's ARES style file: a failure at any step of the commit loses nothing, the
// older backup (a user's, kept as .orig) included.
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
        // Taken by another program between the job's plan and its commit.
        const char* appears = "";
    };
    const Case cases[] = {
        {"read-only folder", {F::Write, "@.tmp*"}, "Default.STY"},
        {"locked backup", {F::Remove, "@.bak"}, "Default.STY"},
        {"locked style file", {F::Rename, "@"}, "Default.STY"},
        {"last rename", {F::Rename, "@.tmp*"}, "Default.STY"},
        {"older backup kept nowhere", {F::Rename, "@.orig"}, "Default.STY"},
        {"name for the older backup taken", {}, "Default.STY", ".orig"},
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
        if (*c.appears) dir.write("Default.STY" + std::string(c.appears), "taken\r\n");
        EXPECT_FALSE(s.commitOutputs({}));
        EXPECT_EQ(run.result.message, "Cannot write file: " + sty + c.appears);
        EXPECT_EQ(run.host.beeps, 1);
        EXPECT_EQ(dir.read(c.userFileAt), "user styles\r\n");
        EXPECT_EQ(dir.read("Default.STY.bak"), "older backup\r\n");
        EXPECT_EQ(dir.exists("Default.STY.orig"), *c.appears != '\0');
        for (const auto& [name, data] : dir.snapshot())
            EXPECT_EQ(name.find(".tmp"), std::string::npos) << "temporary file left: " << name;
        // A failed commit writes none of the job's files.
        EXPECT_FALSE(dir.exists("board_styles.txt"));
    }
}

}  // namespace
}  // namespace quorlin::test
