// Every failure of the command line reaches stderr, and the exit status says so.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <sstream>

#include "app/cli/cli.h"
#include "support/run.h"
#include "support/system.h"
#include "util/files.h"

namespace quorlin::test {
namespace {

namespace fs = std::filesystem;

CliResult runIn(std::vector<std::string> args) {
    return runCliArgs(std::move(args));
}

// Reads fail for one path; everything else is the real file system.
class UnreadableFile : public FileSystem {
  public:
    explicit UnreadableFile(std::string path) : path_(std::move(path)) {}
    bool read(const std::string& path, std::string& out) override {
        return path != path_ && FileSystem::read(path, out);
    }

  private:
    std::string path_;
};

TEST(CliFailures, GoToStderrWithExitStatusOne) {
    const std::string board = crlf({";tango-pcb", "line 10 0 0 0 1 1 0 0"});
    const std::string sdf = crlf({"*NETLIST,1", "N,1", "R1,PS,1"});
    struct Case {
        const char* label;
        std::function<void(const TempDir&)> setup;
        std::vector<std::string> args;  // "@" stands for the folder
        std::string err;                // "@" stands for the folder
        const char* unreadable = "";    // a file whose read fails
    };
    const Case cases[] = {
        {"missing board",
         [](const TempDir&) {},
         {"pcb", "@/b.pcb"},
         "Source file name is not valid"},
        {"board is a folder",
         [](const TempDir& d) { fs::create_directory(d.path() / "b.pcb"); },
         {"pcb", "@/b.pcb"},
         "Source file name is not valid"},
        {"unreadable board",
         [&](const TempDir& d) { d.write("b.pcb", board); },
         {"pcb", "@/b.pcb"},
         "Cannot read file: @/b.pcb",
         "b.pcb"},
        {"read-only region file",
         [&](const TempDir& d) {
             d.write("b.pcb", board);
             d.write("b.rgn", "old");
             fs::permissions(d.path() / "b.rgn", fs::perms::owner_read);
         },
         {"pcb", "@/b.pcb"},
         "Cannot write file: @/b.rgn"},
        {"style file in a missing folder",
         [&](const TempDir& d) { d.write("b.pcb", board); },
         {"pcb", "@/b.pcb", "--style-file", "@/none/x.STY"},
         "Cannot write file: @/none/x.STY"},
        {"board named like its region file",
         [&](const TempDir& d) { d.write("b.rgn", board); },
         {"pcb", "@/b.rgn"},
         "Output file name clash: @/b.rgn"},
        {"missing netlist",
         [](const TempDir&) {},
         {"net", "@/n.net"},
         "Netlist source file name is not valid"},
        {"unreadable netlist",
         [](const TempDir& d) { d.write("n.net", "(\r\nN\r\n)\r\n"); },
         {"net", "@/n.net"},
         "Cannot read file: @/n.net",
         "n.net"},
        {"read-only SDF file",
         [](const TempDir& d) {
             d.write("n.net", "(\r\nN\r\n)\r\n");
             d.write("n.sdf", "old");
             fs::permissions(d.path() / "n.sdf", fs::perms::owner_read);
         },
         {"net", "@/n.net"},
         "Cannot write file: @/n.sdf"},
        {"missing netlist A",
         [](const TempDir&) {},
         {"compare", "@/a.sdf", "@/b.sdf"},
         "Netlist A source file name is not valid"},
        {"missing netlist B",
         [&](const TempDir& d) { d.write("a.sdf", sdf); },
         {"compare", "@/a.sdf", "@/b.sdf"},
         "Netlist B source file name is not valid"},
        {"unreadable netlist B",
         [&](const TempDir& d) {
             d.write("a.sdf", sdf);
             d.write("b.sdf", sdf);
         },
         {"compare", "@/a.sdf", "@/b.sdf"},
         "Cannot read file: @/b.sdf",
         "b.sdf"},
        {"two netlists with one sorted file",
         [&](const TempDir& d) {
             d.write("a.sdf", sdf);
             d.write("a.SDF", sdf);
         },
         {"compare", "@/a.sdf", "@/a.SDF", "--export-sorted"},
         "Output file name clash: @/a_Sorted.txt"},
    };
    auto fill = [](std::string text, const TempDir& dir) {
        for (size_t at; (at = text.find('@')) != std::string::npos;)
            text.replace(at, 1, dir.path().string());
        return text;
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        TempDir dir;
        c.setup(dir);
        std::vector<std::string> args;
        for (const auto& a : c.args) args.push_back(fill(a, dir));
        UnreadableFile unreadable(*c.unreadable ? fill(std::string("@/") + c.unreadable, dir) : "");
        FileSystem* previous = setFileSystem(&unreadable);
        const CliResult r = runIn(args);
        setFileSystem(previous);
        EXPECT_EQ(r.code, 1);
        EXPECT_EQ(r.err, fill(c.err, dir) + "\n");
        EXPECT_EQ(r.out.find(fill(c.err, dir)), std::string::npos) << "also on stdout";
    }
}

TEST(CliFailures, UsageErrorsExitWithTwoAndSayWhy) {
    for (const auto& args :
         std::vector<std::vector<std::string>>{{},
                                               {"pcb"},
                                               {"pcb", "b.pcb", "--guard-gap", "-1"},
                                               {"net", "a", "b"},
                                               {"compare", "a"},
                                               {"frob"}}) {
        const CliResult r = runIn(args);
        EXPECT_EQ(r.code, 2);
        EXPECT_FALSE(r.err.empty());
    }
}

// The installed program itself, not only the function behind it.
TEST(CliFailures, TheProgramExitsNonZeroWithTheMessageOnStderr) {
    QUORLIN_NEEDS_POSIX_SHELL();
    TempDir dir;
    const std::string cmd = std::string(QUORLIN_CLI) + " net '" + dir.file("none.net") + "' >'" +
                            dir.file("out") + "' 2>'" + dir.file("err") + "'";
    const int status = std::system(cmd.c_str());
    EXPECT_EQ(exitCode(status), 1);
    EXPECT_EQ(dir.read("err"), "Netlist source file name is not valid\n");
    EXPECT_EQ(dir.read("out"), "");
}

}  // namespace
}  // namespace quorlin::test
