#include "util/files.h"

#include <gtest/gtest.h>

#include "support/run.h"

namespace quorlin {
namespace {

TEST(Outputs, LongCommitsTickSoAWindowStaysAlive) {
    test::TempDir dir;
    Outputs out;
    out.create(dir.file("big.rgn")).assign(size_t{40} << 20, 'x');
    out.create(dir.file("small.rep")) = "r\r\n";
    int ticks = 0;
    EXPECT_EQ(out.commit([&] { ++ticks; }), "");
    EXPECT_GE(ticks, 5);
    EXPECT_EQ(dir.read("small.rep"), "r\r\n");
    EXPECT_EQ(dir.read("big.rgn").size(), size_t{40} << 20);
}

}  // namespace
}  // namespace quorlin
