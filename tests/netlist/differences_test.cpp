// Differences between two netlists: one case a folder under tests/data/differences (a.sdf, b.sdf
// and expected.txt, the differences file expected), then the hooks of the comparator job and the
// settings.
#include "netlist/differences.h"

#include <gtest/gtest.h>

#include "app/core/startup.h"
#include "netlist/sdfreader.h"
#include "support/run.h"

namespace quorlin {
namespace {

// One netlist read as the comparator reads it.
struct Read {
    explicit Read(const std::string& path) : text(test::testData(path)) {
        reader.read(text);
        reader.sift();
    }
    std::string text;
    SdfReader reader;
    DiffSide side() const { return {reader.netlist(), reader.parts()}; }
};

TEST(Differences, Cases) {
    const char* const cases[] = {"identical", "renamed", "moved", "split",   "merged",
                                 "parts",     "ties",    "empty", "several", "disjoint"};
    for (const char* name : cases) {
        const std::string dir = std::string("differences/") + name + "/";
        const Read a(dir + "a.sdf"), b(dir + "b.sdf");
        EXPECT_EQ(differencesText("a.sdf", "b.sdf", differences(a.side(), b.side())),
                  test::testData(dir + "expected.txt"))
            << name;
    }
}

// The summary lines of the "moved" case, as the report box and the command line show them.
const char* const kMovedSummary[] = {"Differences: 7",
                                     "Parts only in A: 0",
                                     "Parts only in B: 0",
                                     "Parts changed: 0",
                                     "Nets renamed: 0",
                                     "Nets only in A: 0",
                                     "Nets only in B: 0",
                                     "Nodes moved: 3",
                                     "Nodes only in A: 3",
                                     "Nodes only in B: 1",
                                     "Nodes in several nets of A: 0",
                                     "Nodes in several nets of B: 0"};

TEST(Differences, CommandLineWritesTheFileOnlyWhenAsked) {
    test::TempDir dir;
    for (const char* f : {"a.sdf", "b.sdf"})
        dir.write(f, test::testData("differences/moved/" + std::string(f)));
    const test::CliResult plain =
        test::runCliArgs({"compare", dir.file("a.sdf"), dir.file("b.sdf")});
    EXPECT_EQ(plain.code, 0);
    EXPECT_EQ(plain.out.find("Differences"), std::string::npos);
    EXPECT_FALSE(dir.exists("a_Differences.txt"));

    const test::CliResult asked =
        test::runCliArgs({"compare", dir.file("a.sdf"), dir.file("b.sdf"), "--differences"});
    EXPECT_EQ(asked.code, 0);
    std::string summary;
    for (const char* line : kMovedSummary) summary += std::string(line) + "\n";
    EXPECT_EQ(asked.out, plain.out + summary);
    std::string expected = test::testData("differences/moved/expected.txt");
    expected.replace(0, expected.find("\r\nDifferences"),
                     "Netlist A: " + dir.file("a.sdf") + "\r\nNetlist B: " + dir.file("b.sdf"));
    EXPECT_EQ(dir.read("a_Differences.txt"), expected);
}

TEST(Differences, FlagPositionElevenOfTheSettings) {
    SettingsLines lines;
    Form form;
    lines[5] = "00000000301";
    restoreForm(lines, form);
    EXPECT_EQ(form.xdiff, 1);
    EXPECT_EQ(flagsLine(form), "00000000301");
    lines[5] = "0000000030";  // written before the box was there
    form = Form{};
    restoreForm(lines, form);
    EXPECT_EQ(form.xdiff, 0);
}

}  // namespace
}  // namespace quorlin
