// The case list: each case is a folder of input files and the command line that converts them;
// the job's console and every file it writes or changes must equal the folder's expected/ files,
// byte for byte. QUORLIN_UPDATE_GOLDEN=1 rewrites expected/ from what the jobs do now.
#include <gtest/gtest.h>

#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <sstream>

#include "support/harness.h"

namespace quorlin::test {
namespace {

namespace fs = std::filesystem;

struct Case {
    std::string folder, why;
    std::vector<std::vector<std::string>> runs;  // the arguments of each run, in order
};

// A failure names the case by its folder, not by its bytes.
void PrintTo(const Case& c, std::ostream* os) {
    *os << c.folder;
}

// Lines "folder | arguments | why"; "#" starts a comment. A word ";" parts the arguments of
// runs that follow one another in the same folder. Boards alone on request.
std::vector<Case> readCases(bool boardsOnly = false) {
    std::vector<Case> cases;
    std::istringstream list(testData("cases.txt"));
    for (std::string line; std::getline(list, line);) {
        if (line.empty() || line[0] == '#') continue;
        const size_t bar1 = line.find(" | "), bar2 = line.find(" | ", bar1 + 3);
        Case c{line.substr(0, bar1), line.substr(bar2 + 3), {{}}};
        std::istringstream words(line.substr(bar1 + 3, bar2 - bar1 - 3));
        for (std::string w; words >> w;) {
            if (w == ";")
                c.runs.emplace_back();
            else
                c.runs.back().push_back(w);
        }
        const bool board = !c.runs[0].empty() && c.runs[0][0] == "pcb";
        if (!boardsOnly || board) cases.push_back(std::move(c));
    }
    return cases;
}

std::string withoutDates(std::string text) {
    for (const char* key : {"\r\nCreated:  ", "\r\nModified: "}) {
        const size_t at = text.find(key);
        if (at == std::string::npos) continue;
        const size_t from = at + std::string_view(key).size();
        text.replace(from, text.find("\r\n", from) - from, "<today>");
    }
    return text;
}

// The version is written once, in CMakeLists.txt: an expected console names it "<version>".
std::string withoutVersion(std::string text) {
    const std::string line = "\n" QUORLIN_VERSION "\n";
    if (const size_t at = text.find(line); at != std::string::npos)
        text.replace(at + 1, line.size() - 2, "<version>");
    return text;
}

// Commit records name every file by its absolute path: in a case's records, "@CASE@/" stands
// for the folder the case runs in, as the job sees it (its current folder).
void placeCaseFolder(const fs::path& dir) {
    const fs::path previous = fs::current_path();
    fs::current_path(dir);
    const std::string folder =
        fs::current_path().string() + fs::path("/").make_preferred().string();
    fs::current_path(previous);
    for (const auto& e : fs::directory_iterator(dir)) {
        if (e.path().filename().string().find(".commit") == std::string::npos) continue;
        std::string text = readFile(e.path());
        for (size_t at; (at = text.find("@CASE@/")) != std::string::npos;)
            text.replace(at, 7, folder);
        writeFile(e.path(), text);
    }
}

// Runs the case in a copy of its folder; returns the consoles and every file the runs wrote.
Files runCase(const Case& c, bool inBlocksOfOne) {
    const fs::path source = fs::path(QUORLIN_TEST_DATA) / "cases" / c.folder;
    TempDir dir;
    for (const auto& e : fs::directory_iterator(source))
        if (e.path().filename() != "expected")
            fs::copy(e.path(), dir.path() / e.path().filename(), fs::copy_options::recursive);
    placeCaseFolder(dir.path());
    const Files before = dir.snapshot();
    std::string console;
    for (const std::vector<std::string>& args : c.runs) {
        const CliResult r = runCliIn(dir, args, [&](JobTuning& t) {
            if (!inBlocksOfOne) return;
            t.spillBytes = t.spillEvery = 1;
            t.segmentBlock = 1;
        });
        console += "exit " + std::to_string(r.code) + "\n" + r.out +
                   (r.err.empty() ? "" : "--- stderr\n" + r.err);
    }
    Files written;
    for (auto [name, data] : dir.snapshot()) {
        auto old = before.find(name);
        if (old != before.end() && old->second == data) continue;
        // An SDF header carries today's date.
        if (name.ends_with(".sdf")) data = withoutDates(data);
        written[name] = data;
    }
    for (const auto& [name, data] : before)
        if (!dir.exists(name)) written[name + " (deleted)"] = "";
    written["console.txt"] = withoutVersion(console);
    return written;
}

fs::path expectedFolder(const Case& c) {
    return fs::path(QUORLIN_TEST_DATA) / "cases" / c.folder / "expected";
}

// One test per case, named after its folder: "jobs/a-b" runs as ".../jobs_a_b".
std::string caseName(const testing::TestParamInfo<Case>& info) {
    std::string name = info.param.folder;
    for (char& ch : name)
        if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
    return name;
}

class Golden : public testing::TestWithParam<Case> {};

TEST_P(Golden, WritesItsExpectedFiles) {
    const Case& c = GetParam();
    SCOPED_TRACE(c.why);
    const Files actual = runCase(c, false);
    if (std::getenv("QUORLIN_UPDATE_GOLDEN")) {
        fs::remove_all(expectedFolder(c));
        for (const auto& [name, data] : actual) {
            fs::create_directories((expectedFolder(c) / name).parent_path());
            writeFile(expectedFolder(c) / name, data);
        }
    }
    EXPECT_EQ(actual, snapshot(expectedFolder(c)));
}

INSTANTIATE_TEST_SUITE_P(Cases, Golden, testing::ValuesIn(readCases()), caseName);

// Every piece handed to the output thread at once, every layer formatted in blocks of one
// record: no byte may differ.
class GoldenInBlocksOfOne : public Golden {};

TEST_P(GoldenInBlocksOfOne, WritesTheSameFiles) {
    SCOPED_TRACE(GetParam().why);
    EXPECT_EQ(runCase(GetParam(), true), snapshot(expectedFolder(GetParam())));
}

INSTANTIATE_TEST_SUITE_P(Cases, GoldenInBlocksOfOne, testing::ValuesIn(readCases(true)), caseName);

}  // namespace
}  // namespace quorlin::test
