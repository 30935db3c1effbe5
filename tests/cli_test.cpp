// The installed program itself, not only the function behind it: exit status and streams.
#include <gtest/gtest.h>

#include <cstdlib>

#include "support/harness.h"
#include "support/system.h"

namespace quorlin::test {
namespace {

TEST(Cli, TheProgramSaysHowTheJobEnded) {
    QUORLIN_NEEDS_POSIX_SHELL();
    const struct {
        std::string before, args;
        int status;
        std::string out, err;
    } rows[] = {
        {"", "net none.net", 1, "",
         "Netlist source file name is not valid\nnone.net: no such file\n"},
        // A pipe is there, but reading it would wait for a writer.
        {"mkfifo p.pcb && ", "pcb p.pcb", 1, "",
         "Source file name is not valid\np.pcb: cannot be read\n"},
        {"", "--version", 0, QUORLIN_VERSION "\n", ""},
        {"", "frob", 2, "",
         "A subcommand is required\n"
         "Run with --help for more information.\n"},
    };
    for (const auto& r : rows) {
        TempDir dir;
        const std::string cmd = "cd '" + dir.path().string() + "' && " + r.before +
                                "'" QUORLIN_CLI "' " + r.args + " >out 2>err";
        const int status = std::system(cmd.c_str());
        EXPECT_EQ(exitCode(status), r.status) << r.args;
        EXPECT_EQ(dir.read("out"), r.out) << r.args;
        EXPECT_EQ(dir.read("err"), r.err) << r.args;
    }
}

// A board's texts reach a terminal with their control bytes escaped (a pad shape holding
// ESC ] 2 would set the window's title), and a pipe or file as they are.
TEST(Cli, ControlBytesOfTheFilesReachATerminalEscaped) {
    TempDir dir;
    dir.write("b.pcb",
              crlf({";tango-pcb", "version 1 0", "pad \x1b]2;x 60 60 32 al gd 0 0 0 0 1 0"}));
    const std::string shown = runCliIn(dir, {"pcb", "b.pcb"}, {}, true).out;
    EXPECT_NE(shown.find("\\x1b]060060032\t\\x1b]-060-060-032\n"), std::string::npos) << shown;
    // A batch prints the same lines after the file's name.
    EXPECT_NE(runCliIn(dir, {"pcb", "b.pcb", "c.pcb"}, {}, true)
                  .out.find("b.pcb: \\x1b]060060032\t\\x1b]-060-060-032\n"),
              std::string::npos);
    EXPECT_NE(runCliIn(dir, {"pcb", "b.pcb"}).out.find("\x1b]060060032\t\x1b]-060-060-032\n"),
              std::string::npos);
    EXPECT_EQ(runCliIn(dir, {"pcb", "b.pcb", "--style-file", "\x1b[2J/x.sty"}, {}, true).err,
              "Cannot write file: \\x1b[2J/x.sty\n");
}

}  // namespace
}  // namespace quorlin::test
