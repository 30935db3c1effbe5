// Writing the user's ARES style file: backup rotation, refused paths and failures that must
// lose nothing.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "styles/stylefile.h"
#include "support/run.h"
#include "support/system.h"
#include "util/files.h"

namespace quorlin::test {
namespace {

namespace fs = std::filesystem;

// Runs the writer for one registered pad with writestyle checked and commits like the driver.
bool writeStyleFile(PcbRun& run, const TempDir& dir, const std::string& styleFile, int guard) {
    Session& s = run.session;
    s.base = dir.file("board");
    s.form.writestyle = 1;
    s.form.stylefile = styleFile;
    s.form.guardgap = guard;
    s.registry.clear();
    s.registry.addstyle("sq060060032");
    writestylefile(s);
    return s.commitOutputs({}) && !s.failed;
}

TEST(StyleFileReplacement, UncheckedLeavesTheStyleFileAlone) {
    TempDir dir;
    dir.write("Default.STY", "user styles\r\n");
    PcbRun run;
    run.session.base = dir.file("board");
    run.session.form.writestyle = 0;
    run.session.form.stylefile = dir.file("Default.STY");
    writestylefile(run.session);
    ASSERT_TRUE(run.session.commitOutputs({}));
    EXPECT_EQ(dir.read("Default.STY"), "user styles\r\n");
    EXPECT_FALSE(dir.exists("Default.STY.bak"));
    EXPECT_TRUE(dir.exists("board_styles.txt"));
}

TEST(StyleFileReplacement, SecondRunRotatesTheBackup) {
    TempDir dir;
    const std::string sty = dir.file("Default.STY");
    dir.write("Default.STY.bak", "older backup\r\n");

    PcbRun first;
    ASSERT_TRUE(writeStyleFile(first, dir, sty, 1));
    const std::string firstText = dir.read("board_styles.txt");
    EXPECT_NE(firstText.find(",1th,"), std::string::npos);
    EXPECT_EQ(dir.read("Default.STY"), firstText);
    // No style file existed, so the older backup was not touched.
    EXPECT_EQ(dir.read("Default.STY.bak"), "older backup\r\n");

    PcbRun second;
    ASSERT_TRUE(writeStyleFile(second, dir, sty, 2));
    const std::string secondText = dir.read("board_styles.txt");
    EXPECT_NE(secondText.find(",2th,"), std::string::npos);
    EXPECT_EQ(dir.read("Default.STY"), secondText);
    EXPECT_EQ(dir.read("Default.STY.bak"), firstText);
    EXPECT_EQ(dir.snapshot().size(), 3u);
}

TEST(StyleFileReplacement, PathsThatCannotBeWrittenAreRefused) {
    TempDir dir;
    fs::create_directory(dir.path() / "Default.STY");
    const std::string cases[] = {
        dir.file("missing") + "/Default.STY",
        "C:\\files\\cadd\\Default.STY",
        "",
        dir.file("Default.STY"),  // a directory
        dir.path().string() + "/",
    };
    for (const auto& path : cases) {
        SCOPED_TRACE(path);
        PcbRun run;
        EXPECT_FALSE(writeStyleFile(run, dir, path, 3));
        EXPECT_EQ(run.session.form.errorbox, "Cannot write file: " + path);
        EXPECT_EQ(run.host.beeps, 1);
        // The records file is still written beside the board.
        EXPECT_TRUE(dir.exists("board_styles.txt"));
        fs::remove(dir.path() / "board_styles.txt");
        EXPECT_TRUE(dir.snapshot().empty());
        EXPECT_TRUE(fs::is_directory(dir.path() / "Default.STY"));
    }
    EXPECT_FALSE(fs::exists("C:\\files\\cadd\\Default.STY"));
}

TEST(StyleFileReplacement, WindowsDefaultPathFailsTheJob) {
    TempDir dir;
    PcbRun run;
    runPcb(run, dir, crlf({";tango-pcb", "version 1 0"}), [] {
        Form f;
        f.writestyle = 1;
        return f;
    }());
    EXPECT_EQ(run.session.form.errorbox, "Cannot write file: C:\\files\\cadd\\Default.STY");
    EXPECT_TRUE(run.session.failed);
    for (const auto& status : run.host.statuses) EXPECT_NE(status, "Conversion complete");
    EXPECT_TRUE(dir.exists("board_styles.txt"));
    EXPECT_FALSE(fs::exists("C:\\files\\cadd\\Default.STY"));
}

// Fails one chosen operation inside the style file's folder.
class FailingFileSystem : public FileSystem {
  public:
    enum class Step { WriteTemp, RemoveBackup, RenameToBackup, RenameIntoPlace };
    FailingFileSystem(Step step, std::string styleFile) : step_(step), sty_(std::move(styleFile)) {}

    bool writeAtomic(const std::string& path, std::string_view data) override {
        if (step_ == Step::WriteTemp && path.rfind(sty_ + ".tmp", 0) == 0) return false;
        return FileSystem::writeAtomic(path, data);
    }
    bool remove(const std::string& path) override {
        if (step_ == Step::RemoveBackup && path == sty_ + ".bak") return false;
        return FileSystem::remove(path);
    }
    bool rename(const std::string& from, const std::string& to) override {
        if (step_ == Step::RenameToBackup && from == sty_) return false;
        if (step_ == Step::RenameIntoPlace && to == sty_) return false;
        return FileSystem::rename(from, to);
    }

  private:
    Step step_;
    std::string sty_;
};

class SwapFileSystem {
  public:
    explicit SwapFileSystem(FileSystem* fs) : previous_(setFileSystem(fs)) {}
    ~SwapFileSystem() { setFileSystem(previous_); }

  private:
    FileSystem* previous_;
};

TEST(StyleFileReplacement, AFailureAtAnyStepLosesNothing) {
    using Step = FailingFileSystem::Step;
    struct Case {
        Step step;
        const char* label;
        // Where the user's old style file is afterwards.
        const char* userFileAt;
    };
    const Case cases[] = {
        {Step::WriteTemp, "read-only folder", "Default.STY"},
        {Step::RemoveBackup, "locked backup", "Default.STY"},
        {Step::RenameToBackup, "locked style file", "Default.STY"},
        {Step::RenameIntoPlace, "last rename", "Default.STY.bak"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        TempDir dir;
        const std::string sty = dir.file("Default.STY");
        dir.write("Default.STY", "user styles\r\n");
        dir.write("Default.STY.bak", "older backup\r\n");
        FailingFileSystem failing(c.step, sty);
        SwapFileSystem swap(&failing);

        PcbRun run;
        EXPECT_FALSE(writeStyleFile(run, dir, sty, 3));
        EXPECT_EQ(run.session.form.errorbox, "Cannot write file: " + sty);
        EXPECT_EQ(run.host.beeps, 1);
        EXPECT_EQ(dir.read(c.userFileAt), "user styles\r\n");
        for (const auto& [name, data] : dir.snapshot())
            EXPECT_EQ(name.find(".tmp"), std::string::npos) << "temporary file left: " << name;
        // A failed commit writes none of the job's files.
        EXPECT_FALSE(dir.exists("board_styles.txt"));
    }
}

// The command line's --style-file drives the writer through the whole job.
TEST(StyleFileReplacement, CommandLineWritesTheStyleFile) {
    QUORLIN_NEEDS_POSIX_SHELL();
    TempDir dir;
    dir.write("board.pcb", crlf({";tango-pcb", "version 1 0"}));
    fs::create_directory(dir.path() / "ares");
    const std::string sty = (dir.path() / "ares" / "Default.STY").string();
    const std::string cmd = std::string(QUORLIN_CLI) + " pcb '" + dir.file("board.pcb") +
                            "' --guard-gap 0 --style-file '" + sty + "' >/dev/null 2>&1";
    EXPECT_EQ(std::system(cmd.c_str()), 0);
    EXPECT_EQ(readFile(sty), dir.read("board_styles.txt"));

    const std::string bad = std::string(QUORLIN_CLI) + " pcb '" + dir.file("board.pcb") +
                            "' --style-file '" + dir.file("none") + "/x.STY' >/dev/null 2>&1";
    const int status = std::system(bad.c_str());
    EXPECT_EQ(exitCode(status), 1);
}

}  // namespace
}  // namespace quorlin::test
