// What each system does its own way, checked alike on both: names beyond ASCII and with blanks,
// an output marked read-only or held open by another program, numbers beyond a double's range.
#include "util/platform.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <map>

#include "support/run.h"
#include "support/system.h"
#include "util/files.h"
#include "util/text.h"

namespace quorlin::test {
namespace {

const std::string kBoard = crlf({";tango-pcb", "version 1 0", "via c 60 35 gd 1000 1000 0",
                                 "line 12 0 100 200 100 300 0 0", "frob"});

// Every file in the folder, read through the file layer (UTF-8 names on every system).
std::map<std::string, std::string> files(const std::string& folder) {
    std::map<std::string, std::string> found;
    for (const auto& e : std::filesystem::directory_iterator(platform::toPath(folder))) {
        std::string data;
        const std::string path = platform::fromPath(e.path());
        EXPECT_TRUE(fileSystem().read(path, data)) << path;
        found[platform::fromPath(e.path().filename())] = data;
    }
    return found;
}

std::string folderIn(const TempDir& dir, const std::string& name) {
    const std::string folder = platform::fromPath(dir.path()) + "/" + name;
    std::filesystem::create_directories(platform::toPath(folder));
    return folder;
}

TEST(Platform, NamesBeyondAsciiAndWithBlanks) {
    TempDir dir;
    const std::string folder = folderIn(dir, "Platinen und Übersicht \xce\xa9");
    ASSERT_TRUE(fileSystem().writeAtomic(folder + "/plan \xc3\xa4 1.pcb", kBoard));
    ASSERT_TRUE(
        fileSystem().writeAtomic(folder + "/netz \xc3\xa9.net", testData("netlist/board.net")));

    CliResult r = runCliArgs({"pcb", folder + "/plan \xc3\xa4 1.pcb"});
    EXPECT_EQ(r.code, 0) << r.err;
    r = runCliArgs({"net", folder + "/netz \xc3\xa9.net"});
    EXPECT_EQ(r.code, 0) << r.err;
    r = runCliArgs({"compare", folder + "/netz \xc3\xa9.sdf", folder + "/netz \xc3\xa9.sdf"});
    EXPECT_EQ(r.code, 0) << r.err;

    const auto out = files(folder);
    std::vector<std::string> names;
    for (const auto& [name, data] : out) names.push_back(name);
    EXPECT_EQ(names, (std::vector<std::string>{"netz \xc3\xa9.net", "netz \xc3\xa9.sdf",
                                               "plan \xc3\xa4 1.pcb", "plan \xc3\xa4 1.rep",
                                               "plan \xc3\xa4 1.rgn", "plan \xc3\xa4 1_Trash.txt",
                                               "plan \xc3\xa4 1_styles.txt"}));
    // The SDF header carries today's date; what follows it is the golden file's.
    const std::string golden = testData("netlist/board.sdf");
    const std::string sdf = out.at("netz \xc3\xa9.sdf");
    EXPECT_EQ(sdf.substr(sdf.find("*PROPERTIES")), golden.substr(golden.find("*PROPERTIES")));
}

// A second run over outputs another program protects: the message names the file, and every
// file, the unprotected outputs included, stays as the first run left it.
TEST(Platform, ProtectedOutputFailsTheJobAndChangesNothing) {
    for (const bool held : {false, true}) {
        SCOPED_TRACE(held ? "held open" : "read-only");
        TempDir dir;
        const std::string folder = folderIn(dir, "out \xc3\xa5");
        const std::string board = folder + "/b.pcb", target = folder + "/b.rgn";
        ASSERT_TRUE(fileSystem().writeAtomic(board, kBoard));
        ASSERT_EQ(runCliArgs({"pcb", board}).code, 0);
        ASSERT_TRUE(fileSystem().writeAtomic(board, kBoard + crlf({"via c 60 35 gd 0 0 0"})));
        const auto before = files(folder);
        {
            if (!held)
                std::filesystem::permissions(platform::toPath(target),
                                             std::filesystem::perms::owner_read);
            HeldOpen hold(held ? target : "");
            if (held && !hold.held()) {
                EXPECT_FALSE(onWindows()) << "Windows holds files open";
                continue;  // no such lock on POSIX systems
            }
            const CliResult r = runCliArgs({"pcb", board});
            EXPECT_EQ(r.code, 1);
            EXPECT_EQ(r.err, "Cannot write file: " + target + "\n");
        }
        EXPECT_EQ(files(folder), before);
    }
}

// A style file named as the region file but for case: one file on Windows, two elsewhere.
TEST(Platform, NamesInAnotherCaseClashOnWindows) {
    TempDir dir;
    const std::string folder = folderIn(dir, "case");
    ASSERT_TRUE(fileSystem().writeAtomic(folder + "/b.pcb", kBoard));
    const CliResult r = runCliArgs({"pcb", folder + "/b.pcb", "--style-file", folder + "/B.RGN"});
    if (onWindows()) {
        EXPECT_EQ(r.err.rfind("Output file name clash: " + folder, 0), 0u) << r.err;
        EXPECT_EQ(files(folder).size(), 1u);
    } else {
        EXPECT_EQ(r.code, 0) << r.err;
        EXPECT_EQ(files(folder).count("B.RGN"), 1u);
    }
}

TEST(Numbers, BeyondTheRangeOfADoubleSaturate) {
    const double inf = std::numeric_limits<double>::infinity();
    const struct {
        const char* text;
        double value;
    } cases[] = {{"1e400", inf},      {"-1e400", -inf}, {"99e307", inf},
                 {"0.1e310", inf},    {"1e-400", 0},    {"100000e-329", 0},
                 {"0.00001e-320", 0}, {"1e308", 1e308}, {"4.9e-324", 4.9e-324}};
    for (const auto& c : cases) EXPECT_EQ(lenient(c.text), c.value) << c.text;
    EXPECT_TRUE(std::signbit(lenient("-1e-400")));
}

}  // namespace
}  // namespace quorlin::test
