// SDF comparator: sorted copies large enough to be written while the job runs.
#include <gtest/gtest.h>

#include "app/core/driver.h"
#include "netlist/sdfreader.h"
#include "netlist/sorter.h"
#include "support/harness.h"
#include "util/text.h"

namespace quorlin {
namespace {

Netlist load(std::string_view text) {
    SdfReader reader;
    forEachLine(text, [&](std::string_view l) { reader.line(l); });
    Netlist nl = std::move(reader.netlist());
    siftNetlist(nl);
    return nl;
}

// A sorted copy large enough to be written out before the second netlist is read: it lands
// beside the first, and nothing is left behind when the second is the same file (a name clash)
// or cannot be read.
TEST(NetComparator, LargeSortedCopies) {
    std::string big = "*NETLIST,150000\r\n";
    for (int n = 0; n < 150000; ++n) {
        const std::string number = std::to_string(n);
        big += "NET" + number + ",2\r\nU" + number + ",PS,2\r\nR" + number + ",PS,1\r\n\r\n";
    }
    const std::string sorted = sortedText(load(big));
    ASSERT_GT(sorted.size(), size_t{4} << 20);
    const struct {
        const char* second;
        bool unreadable;
        const char* error;  // "" when the job completes
        const char* named;  // the file the error names
    } cases[] = {{"b.sdf", false, "", ""},
                 {"a.sdf", false, "Output file name clash: ", "a_Sorted.txt"},
                 {"b.sdf", true, "Cannot read file: ", "b.sdf"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.error);
        test::TempDir dir;
        dir.write("a.sdf", big);
        dir.write("b.sdf", "*NETLIST,1\r\nX,1\r\nR1,PS,1\r\n");
        test::FaultyFileSystem faulty;
        if (c.unreadable)
            faulty.faults.push_back({test::FaultyFileSystem::Read, dir.file("b.sdf")});
        test::ScopedFileSystem scoped(faulty);
        test::RecordingHost host;
        CompareOptions options{dir.file("a.sdf"), dir.file(c.second)};
        options.exportSorted = true;
        const CompareResult result = compareNetlists(options, host);
        if (*c.error) {
            EXPECT_EQ(result.message, c.error + dir.file(c.named));
            EXPECT_EQ(dir.snapshot().size(), 2u);
        } else {
            EXPECT_EQ(result.message, "Netlist comparison complete");
            EXPECT_EQ(dir.read("a_Sorted.txt"), sorted);
            EXPECT_EQ(dir.read("b_Sorted.txt"), "\r\nX\r\nR1-1\r\n");
        }
    }
}

}  // namespace
}  // namespace quorlin
