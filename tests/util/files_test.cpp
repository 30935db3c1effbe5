#include "util/files.h"

#include <gtest/gtest.h>

#include <chrono>
#include <stdexcept>
#include <thread>
#include <vector>

#include "support/memory_fs.h"
#include "support/run.h"
#include "util/worker.h"

namespace quorlin {
namespace {

// Writes take a while, as hundreds of megabytes do.
class SlowFileSystem : public test::MemoryFileSystem {
  public:
    bool writeAtomic(const std::string& path, std::string_view data) override {
        std::this_thread::sleep_for(std::chrono::milliseconds(60));
        return MemoryFileSystem::writeAtomic(path, data);
    }
    bool appendChunk(const std::string& path, std::string_view data, bool fresh) override {
        std::this_thread::sleep_for(std::chrono::milliseconds(60));
        return MemoryFileSystem::appendChunk(path, data, fresh);
    }
};

TEST(Outputs, LongCommitsTickOnTheCallingThread) {
    SlowFileSystem fs;
    test::ScopedFileSystem scoped(fs);
    Outputs out;
    out.create("/o/big.rgn") = "region";
    out.create("/o/small.rep") = "r\r\n";
    int ticks = 0;
    const auto caller = std::this_thread::get_id();
    bool otherThread = false;
    EXPECT_EQ(out.commit([&] {
        ++ticks;
        otherThread = otherThread || std::this_thread::get_id() != caller;
    }),
              "");
    EXPECT_GE(ticks, 5);
    EXPECT_FALSE(otherThread);
    EXPECT_EQ(fs.files["/o/big.rgn"], "region");
    EXPECT_EQ(fs.files["/o/small.rep"], "r\r\n");
}

// A job that hands over a piece while the last one is still being written waits for it, and a
// window must stay alive meanwhile.
TEST(Outputs, WaitingForAPieceTicksOnTheCallingThread) {
    SlowFileSystem fs;
    test::ScopedFileSystem scoped(fs);
    Outputs out;
    out.setSpill(4, 1);
    int ticks = 0;
    out.setWaitingTick([&] { ++ticks; });
    std::string& rgn = out.create("/o/big.rgn");
    rgn = "first piece";
    out.spill();
    rgn = "second piece";
    out.spill();
    EXPECT_GE(ticks, 3);
    EXPECT_EQ(out.commit(), "");
    EXPECT_EQ(fs.files["/o/big.rgn"], "first piecesecond piece");
}

}  // namespace
}  // namespace quorlin

namespace quorlin {
namespace {

bool anyTemporary(const test::MemoryFileSystem& fs) {
    for (const auto& [path, data] : fs.files)
        if (path.find(".tmp") != std::string::npos) return true;
    return false;
}

// Refuses to stage pieces of one file, as a full disk does.
class NoRoomFileSystem : public test::MemoryFileSystem {
  public:
    bool appendChunk(const std::string& path, std::string_view data, bool fresh) override {
        if (path.rfind("/o/big.rgn", 0) == 0) return false;
        return MemoryFileSystem::appendChunk(path, data, fresh);
    }
};

// Text handed to temporary files piece by piece ends up whole, and nowhere else, whatever the job
// does with the file afterwards; a job that stops leaves no trace.
TEST(Outputs, SpilledTextEndsUpWholeOrNowhere) {
    struct Case {
        const char* name;
        // What happens after "abcdef" + spill + "ghij" + spill + "kl" was written to /o/big.rgn.
        void (*then)(Outputs&);
        bool commits;
        const char* error;   // commit's answer
        const char* result;  // /o/big.rgn afterwards; nullptr when absent
    };
    const Case cases[] = {
        {"committed", [](Outputs&) {}, true, "", "abcdefghijkl"},
        {"stopped", [](Outputs&) {}, false, "", "old"},
        {"created again", [](Outputs& o) { o.create("/o/big.rgn") = "new"; }, true, "", "new"},
        {"removed", [](Outputs& o) { o.remove("/o/big.rgn"); }, true, "", nullptr},
        {"appended to", [](Outputs& o) { o.append("/o/big.rgn") += "mn"; }, true, "",
         "abcdefghijklmn"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        test::MemoryFileSystem fs;
        test::ScopedFileSystem scoped(fs);
        fs.files["/o/big.rgn"] = "old";
        {
            Outputs out;
            out.setSpill(4, 1);
            std::string& rgn = out.create("/o/big.rgn");
            out.create("/o/small.rep") = "r";
            rgn += "abcdef";
            out.spill();
            EXPECT_TRUE(rgn.empty());
            out.settle();
            EXPECT_TRUE(anyTemporary(fs));
            rgn += "ghij";
            out.spill();
            rgn += "kl";
            out.spill();  // below the threshold: stays in memory
            EXPECT_EQ(rgn, "kl");
            c.then(out);
            if (c.commits) {
                EXPECT_EQ(out.commit(), c.error);
            }
        }
        EXPECT_FALSE(anyTemporary(fs));
        if (c.result)
            EXPECT_EQ(fs.files["/o/big.rgn"], c.result);
        else
            EXPECT_EQ(fs.files.count("/o/big.rgn"), 0u);
        EXPECT_EQ(fs.files.count("/o/small.rep"), c.commits ? 1u : 0u);
    }
}

TEST(Outputs, AFailedSpillIsReportedAtCommitAndChangesNothing) {
    NoRoomFileSystem fs;
    test::ScopedFileSystem scoped(fs);
    fs.files["/o/big.rgn"] = "old";
    Outputs out;
    out.setSpill(4, 1);
    out.create("/o/a.rep") = "a";
    std::string& rgn = out.create("/o/big.rgn");
    for (int i = 0; i < 100; ++i) {
        rgn += "0123456789";
        out.spill();
    }
    // The text that could not be staged is not kept in memory either.
    EXPECT_TRUE(rgn.empty());
    EXPECT_EQ(out.commit(), "/o/big.rgn");
    EXPECT_FALSE(anyTemporary(fs));
    EXPECT_EQ(fs.files["/o/big.rgn"], "old");
    EXPECT_EQ(fs.files.count("/o/a.rep"), 0u);
}

}  // namespace
}  // namespace quorlin

namespace quorlin {
namespace {

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
}  // namespace quorlin
