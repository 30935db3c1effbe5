// Many files in one run of the command line: each file's outputs are those of a run on it alone,
// a file that fails stops no other, and sources whose outputs would clash are refused.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <sstream>

#include "app/cli/cli.h"
#include "support/harness.h"
#include "support/system.h"

namespace quorlin::test {
namespace {

namespace fs = std::filesystem;

CliResult runCli(std::vector<std::string> args, bool terminal = false) {
    args.insert(args.begin(), "quorlin-cli");
    std::vector<const char*> argv;
    for (const auto& a : args) argv.push_back(a.c_str());
    std::ostringstream out, err;
    const int code =
        quorlin::runCli(static_cast<int>(argv.size()), argv.data(), out, err, {}, terminal);
    return {code, out.str(), err.str()};
}

// Every line that starts with a prefix of ours belongs to one block of its source's lines.
void expectEachJobTogether(const std::string& text, const std::vector<std::string>& sources) {
    std::map<std::string, int> blocks;
    std::string last;
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
        std::string owner;
        for (const std::string& s : sources)
            if (line.starts_with(s + ":")) owner = s;
        if (!owner.empty() && owner != last) ++blocks[owner];
        last = owner;
    }
    for (const auto& [source, count] : blocks) EXPECT_EQ(count, 1) << source;
}

// The golden boards converted with the default options, as one batch with a missing board and a
// text that is no board among them: each writes its expected files, and the summary names both
// failures.
TEST(Batch, GoldenBoardsAsOneBatchWriteTheirExpectedFiles) {
    const fs::path cases = fs::path(QUORLIN_TEST_DATA) / "cases";
    std::vector<std::string> folders;
    std::istringstream list(testData("cases.txt"));
    for (std::string line; std::getline(list, line);)
        if (const size_t bar = line.find(" | pcb board.pcb | "); bar != std::string::npos)
            folders.push_back(line.substr(0, bar));
    ASSERT_GT(folders.size(), 20u);

    TempDir dir;
    std::vector<std::string> sources;
    for (size_t i = 0; i < folders.size(); ++i) {
        const fs::path to = dir.path() / std::to_string(i);
        fs::create_directories(to);
        for (const auto& e : fs::directory_iterator(cases / folders[i]))
            if (e.path().filename() != "expected")
                fs::copy(e.path(), to / e.path().filename(), fs::copy_options::recursive);
        sources.push_back((to / "board.pcb").string());
    }
    // In a folder of its own, numbered after the boards', where it must write nothing.
    const std::string notes = dir.file(std::to_string(folders.size()) + "/notes.pcb");
    dir.write(std::to_string(folders.size()) + "/notes.pcb", "Drill the holes first.\r\n");
    const Files before = dir.snapshot();
    sources.insert(sources.begin() + 3, dir.file("none/board.pcb"));
    sources.insert(sources.begin() + 5, notes);
    std::vector<std::string> args = {"pcb", "--jobs", "4"};
    args.insert(args.end(), sources.begin(), sources.end());
    const CliResult r = runCli(args);

    EXPECT_EQ(r.code, 1);
    const std::string missing = dir.file("none/board.pcb");
    EXPECT_NE(
        r.err.find(missing + ": Source file name is not valid\n" + missing + ": no such file\n"),
        std::string::npos);
    EXPECT_NE(r.err.find(notes + ": Not a Tango ASCII PCB file: " + notes + "\n"),
              std::string::npos);
    // The summary.
    EXPECT_NE(r.out.find("  Source file name is not valid  "), std::string::npos);
    EXPECT_NE(r.out.find("  Not a Tango ASCII PCB file: " + notes + "  "), std::string::npos);
    EXPECT_NE(r.out.find(std::to_string(sources.size()) +
                         " files: " + std::to_string(folders.size()) + " completed, 2 failed\n"),
              std::string::npos);
    EXPECT_EQ(r.out.find('\r'), std::string::npos);  // no progress line off a terminal
    expectEachJobTogether(r.out, sources);
    // What each board's folder holds new, changed or no more, as its expected folder names it.
    std::vector<Files> written(folders.size() + 1);
    auto record = [&](const std::string& name, const std::string& suffix, const std::string& data) {
        const size_t slash = name.find('/');
        written.at(std::stoul(name.substr(0, slash)))[name.substr(slash + 1) + suffix] = data;
    };
    for (auto [name, data] : dir.snapshot()) {
        auto old = before.find(name);
        if (old == before.end() || old->second != data) record(name, "", data);
    }
    for (const auto& [name, data] : before)
        if (!dir.exists(name)) record(name, " (deleted)", "");
    for (size_t i = 0; i < folders.size(); ++i) {
        SCOPED_TRACE(folders[i]);
        Files expected = snapshot(cases / folders[i] / "expected");
        ASSERT_EQ(expected.erase("console.txt"), 1u);
        EXPECT_EQ(written[i], expected);
    }
    EXPECT_EQ(written.back(), Files{});
}

// board.pcb and board.PCB would both write board.rgn: neither runs, the other board does.
TEST(Batch, SourcesWhoseOutputsClashAreRefused) {
    if (onWindows()) GTEST_SKIP() << "one file for Windows";
    TempDir dir;
    const std::string board = crlf({";tango-pcb", "net A 1"});
    for (const char* name : {"b/board.pcb", "b/board.PCB", "b/other.pcb", "b/notes.txt"})
        dir.write(name, board);
    const CliResult r = runCli({"pcb", dir.file("b"), "--jobs", "2"}, true);
    EXPECT_EQ(r.code, 1);
    const std::string clash = "Output file name clash: " + dir.file("b/board.rgn") + "\n";
    for (const char* name : {"b/board.PCB", "b/board.pcb"})
        EXPECT_NE(r.err.find(dir.file(name) + ": " + clash), std::string::npos) << name;
    EXPECT_NE(r.out.find(dir.file("b/other.pcb") + ": Conversion complete\n"), std::string::npos);
    // The progress line, redrawn, and blanked before the job's own lines are printed.
    const std::string progress = "[2/3 done] " + dir.file("b/other.pcb");
    EXPECT_NE(r.out.find(progress + "\r" + std::string(progress.size(), ' ') + "\r"),
              std::string::npos);
    EXPECT_NE(r.out.find("3 files: 1 completed, 2 failed\n"), std::string::npos);
    EXPECT_TRUE(dir.exists("b/other.rgn"));
    EXPECT_FALSE(dir.exists("b/board.rgn"));
}

}  // namespace
}  // namespace quorlin::test
