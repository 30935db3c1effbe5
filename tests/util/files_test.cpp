#include "util/files.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "support/memory_fs.h"
#include "support/run.h"

namespace quorlin {
namespace {

// Writes take a while, as hundreds of megabytes do.
class SlowFileSystem : public test::MemoryFileSystem {
  public:
    bool writeAtomic(const std::string& path, std::string_view data) override {
        std::this_thread::sleep_for(std::chrono::milliseconds(60));
        return MemoryFileSystem::writeAtomic(path, data);
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

}  // namespace
}  // namespace quorlin
