// The command line's net and compare jobs: stdout, stderr and exit status, exactly.
#include <gtest/gtest.h>

#include <cstdlib>

#include "support/run.h"
#include "support/system.h"

namespace quorlin {
namespace {

using test::TempDir;

struct CliResult {
    int status;
    std::string out, err;
};

CliResult runCli(const TempDir& dir, const std::string& args) {
    const std::string cmd =
        "cd '" + dir.path().string() + "' && '" QUORLIN_CLI "' " + args + " >cli.out 2>cli.err";
    const int raw = std::system(cmd.c_str());
    CliResult r{test::exitCode(raw), dir.read("cli.out"), dir.read("cli.err")};
    std::filesystem::remove(dir.path() / "cli.out");
    std::filesystem::remove(dir.path() / "cli.err");
    return r;
}

std::string golden(const std::string& name) {
    return test::testData("netlist/" + name);
}

TEST(NetlistCli, Runs) {
    QUORLIN_NEEDS_POSIX_SHELL();
    TempDir dir;
    dir.write("example.net", golden("example.net"));
    dir.write("a.sdf", golden("a.sdf"));
    dir.write("b.sdf", golden("b.sdf"));
    const struct {
        std::string args;
        int status;
        std::string out, err;
    } rows[] = {
        {"net example.net", 0,
         "Converting Tango netlist to Ares SDF netlist\n"
         "Tango netlist to Ares SDF conversion complete\n"
         "Nets 1\nNodes 2\nParts 1\n",
         ""},
        {"net missing.net --strip-packages", 1, "", "Netlist source file name is not valid\n"},
        {"compare a.sdf b.sdf --export-sorted", 0,
         "Comparing SDF netlists\nLoading netlist #1\nSifting netlist #1\n"
         "Computing delta/Single node nets\nLoading netlist #2\nSifting netlist #2\n"
         "Computing delta/Single node nets\nComparing netlist #1 and #2\n"
         "Exporting sorted data\nNetlist comparison complete\n"
         "Elements      A     B Delta\n"
         "Nets          4     4     0\n"
         "SN-Nets       1     1     0\n"
         "Nodes         8     8     0\n"
         "Parts         3     3     0\n",
         ""},
        {"compare a.sdf missing.sdf", 1, "", "Netlist B source file name is not valid\n"},
    };
    for (const auto& r : rows) {
        const CliResult got = runCli(dir, r.args);
        EXPECT_EQ(got.status, r.status) << r.args;
        EXPECT_EQ(got.out, r.out) << r.args;
        EXPECT_EQ(got.err, r.err) << r.args;
    }
    EXPECT_TRUE(dir.exists("example.sdf"));
    EXPECT_EQ(dir.read("a_Sorted.txt"), golden("a_Sorted.txt"));
    EXPECT_EQ(dir.read("b_Sorted.txt"), golden("b_Sorted.txt"));
    EXPECT_EQ(runCli(dir, "compare a.sdf").status, 2);
}

}  // namespace
}  // namespace quorlin
