// SDF comparator: sort keys, and sorted copies large enough to be written while the job runs.
#include <gtest/gtest.h>

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

TEST(MakeSorter, Keys) {
    const struct {
        std::string ref, pin, key;
    } rows[] = {
        {"R12", "2", "R00000000012000002"},
        {"U3", "14", "U00000000003000014"},
        {"GND", "1", "GND000000000000001"},
        {"CONNECTOR", "", "CONNEC000000000000"},
        {"IC10A", "B3", "IC000000010A0000B3"},
        {"R1234567", "ABCDEFGH", "R00000234567CDEFGH"},
        {"R-5", "1", "R000000000-5000001"},  // "-" sorts as the start of the number
        {"\xC2\xB5"
         "C1",
         "1",
         "\xC2\xB5"
         "C000000001000001"},  // high bytes are no digits
        {"", "", "000000000000000000"},
    };
    for (const auto& r : rows) EXPECT_EQ(makesorter(r.ref, r.pin), r.key) << r.ref;
    EXPECT_LT(makesorter("R2", "1"), makesorter("R10", "1"));
    EXPECT_LT(makesorter("R10", "9"), makesorter("R10", "10"));
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
        const char* error;  // with the folder after ": "
    } cases[] = {{"b.sdf", false, ""},
                 {"a.sdf", false, "Output file name clash: /a_Sorted.txt"},
                 {"b.sdf", true, "Cannot read file: /b.sdf"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.error);
        test::TempDir dir;
        dir.write("a.sdf", big);
        dir.write("b.sdf", "*NETLIST,1\r\nX,1\r\nR1,PS,1\r\n");
        test::FaultyFileSystem faulty;
        if (c.unreadable)
            faulty.faults.push_back({test::FaultyFileSystem::Read, dir.file("b.sdf")});
        test::ScopedFileSystem scoped(faulty);
        test::JobRun run;
        run.form().netlista = dir.file("a.sdf");
        run.form().netlistb = dir.file(c.second);
        run.form().xsdf = 1;
        run.click(2);
        // Whatever the output thread was handed is in place before the files are counted.
        run.session.out.settle();
        if (*c.error) {
            const std::string error = c.error;
            const size_t colon = error.find(": ") + 2;
            EXPECT_EQ(run.form().errorbox,
                      error.substr(0, colon) + dir.path().string() + error.substr(colon));
            EXPECT_EQ(dir.snapshot().size(), 2u);
        } else {
            EXPECT_EQ(run.form().errorbox, "Netlist comparison complete");
            EXPECT_EQ(dir.read("a_Sorted.txt"), sorted);
            EXPECT_EQ(dir.read("b_Sorted.txt"), "\r\nX\r\nR1-1\r\n");
        }
    }
}

}  // namespace
}  // namespace quorlin
