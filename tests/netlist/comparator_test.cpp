// SDF comparator: sort keys, loading by line state, sifting, counts, sorted files, the job.
#include <gtest/gtest.h>

#include "app/core/driver.h"
#include "netlist/sdfreader.h"
#include "netlist/sorter.h"
#include "support/memory_fs.h"
#include "support/run.h"
#include "util/text.h"

namespace quorlin {
namespace {

using test::RecordingHost;
using test::TempDir;

std::string golden(const std::string& name) {
    return test::testData("netlist/" + name);
}

struct CompareRun {
    RecordingHost host;
    Session session{host};
};

void runCompare(CompareRun& run, const std::string& a, const std::string& b, int xsdf) {
    run.session.form.netlista = a;
    run.session.form.netlistb = b;
    run.session.form.xsdf = xsdf;
    Commands_Click(run.session, 2);
}

// Loads and sifts; the body lines are LF-ended for readability.
Netlist load(std::string_view text, size_t* parts = nullptr) {
    SdfReader reader;
    forEachLine(text, [&](std::string_view l) { reader.line(l); });
    if (parts) *parts = reader.partCount();
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

TEST(SdfReader, SameConnectivityOtherNamesAndOrder) {
    size_t partsA = 0, partsB = 0;
    const std::string textA = golden("a.sdf"), textB = golden("b.sdf");
    const Netlist a = load(textA, &partsA);
    const Netlist b = load(textB, &partsB);
    EXPECT_EQ(sortedText(a), golden("a_Sorted.txt"));
    EXPECT_EQ(sortedText(b), golden("b_Sorted.txt"));
    EXPECT_EQ(partsA, 3u);
    EXPECT_EQ(partsB, 3u);
    EXPECT_EQ(a.nodes.size(), 8u);
    EXPECT_EQ(b.nodes.size(), 8u);
    EXPECT_EQ(singleNodeNets(a), 1u);
    EXPECT_EQ(singleNodeNets(b), 1u);
}

// Nets (name: sorted nodes) after loading and sifting a netlist section.
TEST(SdfReader, LineStates) {
    auto nets = [](std::string_view body) {
        std::vector<std::string> out;
        const Netlist nl = load(body);
        for (const Net& net : nl.nets) {
            std::string s = std::string(net.name) + ":";
            for (const NetNode& n : nl.nodesOf(net))
                s.append(" ").append(n.ref).append("-").append(n.pin);
            out.push_back(s);
        }
        return out;
    };
    using V = std::vector<std::string>;
    EXPECT_EQ(nets("*NETLIST,1\nV,2\nV,PS,0\nU1,PS,2\nR1,PS,1\n"), (V{"V: R1-1 U1-2"}));
    // An empty line after a header ends a net without nodes; it sorts first.
    EXPECT_EQ(nets("*NETLIST,2\nA,1\nR1,PS,1\n\nE,0\n\nB,1\nR2,PS,1\n"),
              (V{"E:", "A: R1-1", "B: R2-1"}));
    // Header words name nets once the sections began.
    EXPECT_EQ(nets("Created:  x\n*NETLIST,1\nCREATED_CLK,1\nAuthor,PS,1\n"),
              (V{"CREATED_CLK: Author-1"}));
    // A line of blanks ends a net, blanks inside names read "_".
    EXPECT_EQ(nets("*NETLIST,2\nN 1,1\nR 1,PS,2 \n   \nN2,1\nR0,PS,1\n"),
              (V{"N2: R0-1", "N_1: R_1-2_"}));
    // Equal first keys keep load order; nothing after *GATES counts.
    EXPECT_EQ(nets("*NETLIST,2\nB,1\nR1,PS,1\n\nA,1\nR1,PS,1\n\n*GATES,0\nZ,1\nR0,PS,0\n"),
              (V{"B: R1-1", "A: R1-1"}));
    // Lone CR line ends and no line end at the end of the file.
    EXPECT_EQ(nets("*NETLIST,1\rV,2\rR2,PS,1\rR1,PS,1"), (V{"V: R1-1 R2-1"}));
}

TEST(NetComparator, SameNetlistWithLfAndCrLf) {
    TempDir dir;
    const std::string crlfText = golden("a.sdf");
    std::string lfText;
    forEachLine(crlfText, [&](std::string_view l) { lfText.append(l).append("\n"); });
    dir.write("crlf.sdf", crlfText);
    dir.write("lf.sdf", lfText);
    CompareRun run;
    runCompare(run, dir.file("crlf.sdf"), dir.file("lf.sdf"), 0);
    EXPECT_EQ(
        run.session.form.netdata,
        (std::array<std::string, 12>{"4", "8", "3", "4", "8", "3", "1", "1", "0", "0", "0", "0"}));
    EXPECT_EQ(dir.snapshot(),
              (std::map<std::string, std::string>{{"crlf.sdf", crlfText}, {"lf.sdf", lfText}}));
    EXPECT_EQ(run.host.statuses,
              (std::vector<std::string>{
                  "", "Comparing SDF netlists", "Loading netlist #1", "Sifting netlist #1",
                  "Computing delta/Single node nets", "Loading netlist #2", "Sifting netlist #2",
                  "Computing delta/Single node nets", "Comparing netlist #1 and #2",
                  "Netlist comparison complete"}));
    EXPECT_EQ(run.host.beeps, 1);
}

TEST(NetComparator, ExportsSortedFilesAndDeltas) {
    TempDir dir;
    dir.write("a.sdf", golden("a.sdf"));
    dir.write("small.sdf", "*PARTLIST,1\r\nR1\r\n\r\n*NETLIST,1\r\nX,1\r\nR1,PS,1\r\n");
    CompareRun run;
    runCompare(run, dir.file("a.sdf"), dir.file("small.sdf"), 1);
    EXPECT_FALSE(run.session.failed);
    EXPECT_EQ(
        run.session.form.netdata,
        (std::array<std::string, 12>{"4", "8", "3", "1", "1", "1", "1", "1", "3", "7", "2", "0"}));
    EXPECT_EQ(dir.read("a_Sorted.txt"), golden("a_Sorted.txt"));
    EXPECT_EQ(dir.read("small_Sorted.txt"), "\r\nX\r\nR1-1\r\n");
    EXPECT_EQ(run.host.statuses.end()[-2], "Exporting sorted data");
}

// The second netlist is there but cannot be read.
class SecondUnreadable : public test::MemoryFileSystem {
  public:
    bool read(const std::string& path, std::string& out) override {
        return path != "/n/b.sdf" && MemoryFileSystem::read(path, out);
    }
};

// A sorted copy large enough to be written out before the second netlist is read: it lands
// beside the first, and nothing is left behind when the second cannot be read.
TEST(NetComparator, LargeSortedCopies) {
    std::string big = "*NETLIST,150000\r\n";
    for (int n = 0; n < 150000; ++n) {
        const std::string number = std::to_string(n);
        big += "NET" + number + ",2\r\nU" + number + ",PS,2\r\nR" + number + ",PS,1\r\n\r\n";
    }
    const std::string sorted = sortedText(load(big));
    ASSERT_GT(sorted.size(), size_t{4} << 20);
    for (const bool readable : {true, false}) {
        SecondUnreadable fs;
        test::ScopedFileSystem scoped(fs);
        fs.files["/n/a.sdf"] = big;
        fs.files["/n/b.sdf"] = golden("b.sdf");
        CompareRun run;
        runCompare(run, "/n/a.sdf", readable ? "/n/a.sdf" : "/n/b.sdf", 1);
        // Whatever the output thread was handed is in place before the files are counted.
        run.session.out.settle();
        EXPECT_TRUE(run.session.failed);
        if (readable) {
            // The same file twice: both copies would share a name.
            EXPECT_EQ(run.session.form.errorbox, "Output file name clash: /n/a_Sorted.txt");
        } else {
            EXPECT_EQ(run.session.form.errorbox, "Cannot read file: /n/b.sdf");
        }
        EXPECT_EQ(fs.files.size(), 2u);
    }
    test::MemoryFileSystem fs;
    test::ScopedFileSystem scoped(fs);
    fs.files["/n/a.sdf"] = big;
    fs.files["/n/b.sdf"] = golden("b.sdf");
    CompareRun run;
    runCompare(run, "/n/a.sdf", "/n/b.sdf", 1);
    EXPECT_FALSE(run.session.failed) << run.session.form.errorbox;
    EXPECT_EQ(fs.files["/n/a_Sorted.txt"], sorted);
    EXPECT_EQ(fs.files["/n/b_Sorted.txt"], golden("b_Sorted.txt"));
    EXPECT_EQ(fs.files.size(), 4u);
}

TEST(NetComparator, SortedFilesMustNotShareAPath) {
    TempDir dir;
    dir.write("a.sdf", golden("a.sdf"));
    dir.write("a.txt", golden("b.sdf"));
    CompareRun run;
    runCompare(run, dir.file("a.sdf"), dir.file("a.txt"), 1);
    EXPECT_TRUE(run.session.failed);
    EXPECT_EQ(run.session.form.errorbox, "Output file name clash: " + dir.file("a_Sorted.txt"));
    EXPECT_EQ(dir.snapshot().size(), 2u);
    EXPECT_EQ(run.host.beeps, 1);
}

}  // namespace
}  // namespace quorlin
