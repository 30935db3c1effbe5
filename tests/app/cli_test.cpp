#include "app/cli/cli.h"

#include <gtest/gtest.h>

#include <sstream>

#include "support/run.h"

namespace quorlin {
namespace {

test::CliResult run(std::vector<std::string> args) {
    return test::runCliArgs(std::move(args));
}

TEST(Cli, Version) {
    auto version = run({"--version"});
    EXPECT_EQ(version.code, 0);
    EXPECT_EQ(version.out, "1.01.02\n");
}

TEST(Cli, PcbPrintsStatusesThenCounts) {
    test::TempDir dir;
    dir.write("b.pcb", test::crlf({";tango-pcb", "net A 1", "zap"}));
    auto r = run({"pcb", dir.file("b.pcb")});
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.out.substr(0, r.out.find("Headers")),
              "Extracting primitives from PCB source file\n"
              "Primitive extraction complete\n"
              "Exporting components and graphics to Ares\n"
              "Components exported to region file successfully\n"
              "Exporting vias to Ares region file\n"
              "No vias to export\n"
              "Exporting tracks and arcs to Ares region file\n"
              "No tracks or arcs to export\n"
              "Conversion complete\n"
              "Define the following Pads in ARES:\n" +
                  std::string(58, '-') + "\n\n");
    EXPECT_NE(r.out.find("Headers         1\nNets            1\n"), std::string::npos);
    EXPECT_NE(r.out.find("Trash           1\n"), std::string::npos);
    EXPECT_TRUE(dir.exists("b_Trash.txt"));
}

}  // namespace
}  // namespace quorlin
