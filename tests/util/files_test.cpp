// Reading a source and the outputs of a job: pieces handed to the output thread, the
// all-or-nothing commit, and a window kept alive while any of them waits.
#include "util/files.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <thread>
#include <vector>

#include "support/harness.h"
#include "util/commitrecord.h"
#include "util/platform.h"
#include "util/worker.h"

namespace quorlin::test {
namespace {

bool anyTemporary(const TempDir& dir) {
    for (const auto& [name, data] : dir.snapshot())
        if (name.find(".tmp") != std::string::npos) return true;
    return false;
}

// A file read whole comes a piece at a time, the caller called after each: a window stays alive
// while a board of hundreds of megabytes is read.
TEST(FileSystem, ReadsLargeFilesAPieceAtATime) {
    TempDir dir;
    for (const size_t size :
         {size_t{0}, size_t{1}, kReadPiece, kReadPiece + 1, 2 * kReadPiece + 5}) {
        SCOPED_TRACE(size);
        std::string text(size, 'x');
        for (size_t i = 0; i < size; i += 4093) text[i] = static_cast<char>('a' + i % 26);
        dir.write("big.pcb", text);
        std::string read = "left from before";
        size_t calls = 0;
        ASSERT_TRUE(fileSystem().read(dir.file("big.pcb"), read, [&] { ++calls; }));
        EXPECT_TRUE(read == text);
        EXPECT_EQ(calls, (size + kReadPiece - 1) / kReadPiece);
    }
}

TEST(Outputs, LongCommitsAndWaitsTickOnTheCallingThread) {
    TempDir dir;
    FaultyFileSystem slow;
    slow.delay = std::chrono::milliseconds(60);
    ScopedFileSystem scoped(slow);
    const auto caller = std::this_thread::get_id();
    int ticks = 0;
    bool otherThread = false;
    auto tick = [&] {
        ++ticks;
        otherThread = otherThread || std::this_thread::get_id() != caller;
    };
    Outputs out;
    out.setSpill(4, 1);
    out.setWaitingTick(tick);
    std::string& rgn = out.create(dir.file("big.rgn"));
    // A piece handed over while the last one is still being written waits for it.
    rgn = "first piece";
    out.spill();
    rgn = "second piece";
    out.spill();
    // Ticks come every few milliseconds of waiting; how many, a loaded machine decides.
    EXPECT_GE(ticks, 1);
    out.create(dir.file("small.rep")) = "r\r\n";
    ticks = 0;
    EXPECT_EQ(out.commit(tick), "");
    EXPECT_GE(ticks, 1);
    EXPECT_FALSE(otherThread);
    EXPECT_EQ(dir.snapshot(),
              (Files{{"big.rgn", "first piecesecond piece"}, {"small.rep", "r\r\n"}}));
}

// Text handed to temporary files piece by piece ends up whole, and nowhere else, whatever the job
// does with the file afterwards; a job that stops leaves no trace.
TEST(Outputs, SpilledTextEndsUpWholeOrNowhere) {
    struct Case {
        const char* name;
        // What happens after "abcdef" + spill + "ghij" + spill + "kl" was written to big.rgn.
        void (*then)(Outputs&, const std::string& big);
        bool commits;
        const char* result;  // big.rgn afterwards; nullptr when absent
        bool slow = false;   // pieces are still being written when `then` runs
    };
    const Case cases[] = {
        {"committed", [](Outputs&, const std::string&) {}, true, "abcdefghijkl"},
        {"stopped", [](Outputs&, const std::string&) {}, false, "old"},
        {"created again", [](Outputs& o, const std::string& b) { o.create(b) = "new"; }, true,
         "new"},
        {"created again while written",
         [](Outputs& o, const std::string& b) { o.create(b) = "new"; }, true, "new", true},
        {"removed", [](Outputs& o, const std::string& b) { o.remove(b); }, true, nullptr},
        {"appended to", [](Outputs& o, const std::string& b) { o.append(b) += "mn"; }, true,
         "abcdefghijklmn"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        FaultyFileSystem fs;
        if (c.slow) fs.delay = std::chrono::milliseconds(30);
        ScopedFileSystem scoped(fs);
        const std::string big = dir.file("big.rgn");
        dir.write("big.rgn", "old");
        {
            Outputs out;
            out.setSpill(4, 1);
            std::string& rgn = out.create(big);
            out.create(dir.file("small.rep")) = "r";
            rgn += "abcdef";
            out.spill();
            EXPECT_TRUE(rgn.empty());
            if (!c.slow) {
                out.settle();
                EXPECT_TRUE(anyTemporary(dir));
            }
            rgn += "ghij";
            out.spill();
            rgn += "kl";
            out.spill();  // below the threshold: stays in memory
            EXPECT_EQ(rgn, "kl");
            c.then(out, big);
            if (c.commits) {
                EXPECT_EQ(out.commit(), "");
            }
        }
        EXPECT_FALSE(anyTemporary(dir));
        EXPECT_EQ(dir.exists("big.rgn"), c.result != nullptr);
        if (c.result) {
            EXPECT_EQ(dir.read("big.rgn"), c.result);
        }
        EXPECT_EQ(dir.exists("small.rep"), c.commits);
    }
}

TEST(Outputs, AFailedSpillKeepsNoTextAndIsReportedAtCommit) {
    TempDir dir;
    FaultyFileSystem full;
    full.faults.push_back({FaultyFileSystem::Write, dir.file("big.rgn") + "*"});
    ScopedFileSystem scoped(full);
    dir.write("big.rgn", "old");
    Outputs out;
    out.setSpill(4, 1);
    out.create(dir.file("a.rep")) = "a";
    std::string& rgn = out.create(dir.file("big.rgn"));
    for (int i = 0; i < 100; ++i) {
        rgn += "0123456789";
        out.spill();
    }
    EXPECT_TRUE(rgn.empty());
    EXPECT_EQ(out.commit(), dir.file("big.rgn"));
    EXPECT_EQ(dir.snapshot(), (Files{{"big.rgn", "old"}}));
}

// A commit still running in another process, or in this one, is not a killed one: its record and
// its temporary files are left alone.
TEST(InterruptedCommits, ThoseOfLiveProcessesAreLeftAlone) {
    TempDir dir;
    const std::string pid = std::to_string(platform::processId());
    const std::string temp = dir.file("a.rgn.tmp" + pid + "_1");
    dir.write("a.rgn.tmp" + pid + "_1", "new");
    dir.write("a.pcb.commit" + pid + "_1",
              commitRecordText({dir.file("a.pcb")}, {{temp, dir.file("a.rgn"), ""}}));
    const Files before = dir.snapshot();
    const InterruptedCommits found = finishInterruptedCommits({dir.file("b.pcb")});
    EXPECT_TRUE(found.completed.empty() && found.unfinished.empty());
    EXPECT_EQ(dir.snapshot(), before);
}

// Every task runs on the same thread (a new one per task is what made pieces slow), one after
// the other, and what a task throws reaches the one who waits for it.
TEST(Worker, RunsEachTaskOnOneThreadAndPassesOnWhatItThrows) {
    Worker worker;
    std::vector<std::thread::id> threads;
    for (int i = 0; i < 5; ++i) {
        worker.start([&] { threads.push_back(std::this_thread::get_id()); });
        worker.wait();
    }
    ASSERT_EQ(threads.size(), 5u);
    for (const auto& id : threads) EXPECT_EQ(id, threads[0]);
    EXPECT_NE(threads[0], std::this_thread::get_id());

    worker.start([] { throw std::runtime_error("disk gone"); });
    EXPECT_THROW(worker.wait(), std::runtime_error);
    // The thread survives and takes the next task.
    bool ran = false;
    worker.start([&] { ran = true; });
    worker.wait([] {});
    EXPECT_TRUE(ran);
}

}  // namespace
}  // namespace quorlin::test
