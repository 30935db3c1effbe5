// A board folder made by someone else (an archive, a shared folder): whoever made it controls
// the names, contents and links in it. Each row plants files beside the board, next to a
// folder of the user's; the job completes or stops with its message, the user's folder and
// every planted file stay as they were, byte for byte, and nothing hangs.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdio>
#include <filesystem>
#include <future>
#include <thread>

#include "support/harness.h"
#include "support/system.h"
#include "util/commitrecord.h"
#include "util/commitrules.h"

#if !defined(_WIN32)
#include <sys/stat.h>
#endif

namespace quorlin::test {
namespace {

namespace fs = std::filesystem;

const std::string kBoard = crlf(
    {";tango-pcb", "version 1 0", "via c 60 35 gd 1000 1000 0", "line 12 0 100 200 100 300 0 0"});

// Plants a link at every temporary name the job tries first, with files staged under names.
class LinkPlanting : public FaultyFileSystem {
  public:
    explicit LinkPlanting(std::string target) : target_(std::move(target)) {}
    std::unique_ptr<NewFile> createNew(const std::string& path) override {
        std::error_code ec;
        if (++calls_ % 2 == 1) fs::create_symlink(target_, path, ec);
        return FaultyFileSystem::createNew(path);
    }

  private:
    std::string target_;
    std::atomic<int> calls_ = 0;
};

struct Row {
    const char* name;
    // A planted record's first source, temporary file ("" for a deletion) and target, below the
    // folder that holds pkg (the board's) and user (the user's); "=" keeps a path as written.
    const char *source = "", *temp = "", *target = "";
    const char* said = "Ignored a commit record that this program did not write: pkg";
    // Plants other files; may change the source the job is given.
    void (*plant)(const fs::path& pkg, const fs::path& user, std::string& source) = nullptr;
    bool posixOnly = false, completes = true, links = false;
    bool followed = false;  // the planted record is one to follow: it is finished and goes
};

const Row kRows[] = {
    {"a record that deletes outside", "pkg/board.pcb", "", "user/thesis.txt"},
    {"a record that deletes no output", "pkg/board.pcb", "", "pkg/board.pcb"},
    {"a rename onto an absolute path outside", "pkg/board.pcb", "pkg/board.rgn.tmp99999999_1",
     "user/board.rgn"},
    {"a rename onto a relative path outside", "pkg/board.pcb", "pkg/board.rgn.tmp99999999_1",
     "=../user/board.rgn"},
    {"a temporary file not beside its target", "pkg/board.pcb", "pkg/sub/board.rgn.tmp99999999_1",
     "pkg/board.rgn"},
    {"a temporary file of another process", "pkg/board.pcb", "pkg/board.rgn.tmp4_1",
     "pkg/board.rgn"},
    {"a record that names another source", "pkg/other.pcb", "pkg/other.rgn.tmp99999999_1",
     "pkg/other.rgn"},
    {.name = "a record that keeps a backup of a style file elsewhere",
     .said = "Completed an interrupted conversion: pkg",
     .plant =
         [](const fs::path& pkg, const fs::path& user, std::string&) {
             const std::string sty = (user / "Default.STY").string();
             for (std::string end : {"", ".bak", ".orig"}) writeFile(sty + end, "mine" + end);
             writeFile(pkg / "board.pcb.commit99999999_1",
                       commitRecordText({(pkg / "board.pcb").string()},
                                        {{sty + ".bak", sty + ".orig", ""},
                                         {sty + ".tmp99999999_1", sty, sty + ".bak"}}));
         },
     .followed = true},
    {.name = "links under every temporary name", .said = "Conversion complete", .links = true},
    {.name = "?.. in a folder name",
     .said = "Conversion complete",
     .plant =
         [](const fs::path& pkg, const fs::path&, std::string& source) {
             fs::create_directories(pkg / "?.." / "user");
             writeFile(pkg / "?.." / "user" / "board.pcb", kBoard);
             source = "pkg/?../user/board.pcb";
         },
     .posixOnly = true},
    {.name = "a source linked outside its folder",
     .said = "Source is a link to a file outside its folder: pkg/board.pcb",
     .plant =
         [](const fs::path& pkg, const fs::path& user, std::string&) {
             fs::remove(pkg / "board.pcb");
             fs::create_symlink(user / "thesis.txt", pkg / "board.pcb");
         },
     .posixOnly = true,
     .completes = false},
    {.name = "a pipe named like a record",
     .said = "Conversion complete",
     .plant =
         []([[maybe_unused]] const fs::path& pkg, const fs::path&, std::string&) {
#if !defined(_WIN32)
             ::mkfifo((pkg / "board.pcb.commit99999999_1").c_str(), 0600);
#endif
         },
     .posixOnly = true},
};

// Plants the row's record, and its temporary file.
void plantRecord(const Row& row, const fs::path& root) {
    auto path = [&](std::string_view p) {
        return p.starts_with("=") ? std::string(p.substr(1)) : (root / p).string();
    };
    const std::string temp = row.temp[0] ? path(row.temp) : "";
    if (!temp.empty()) {
        fs::create_directories(fs::path(temp).parent_path());
        writeFile(temp, "the sender's text");
    }
    std::string text = std::string("quorlin commit record") + '\0' + "2" + '\0';
    for (const std::string& f : {std::string("1"), path(row.source), std::string("1"), temp,
                                 path(row.target), std::string()})
        text += f + '\0';
    writeFile(root / "pkg" / "board.pcb.commit99999999_1", text);
}

TEST(PlantedFolders, ReachNothingOutsideTheJobsOwnOutputs) {
    for (const Row& row : kRows) {
        if (row.posixOnly && onWindows()) continue;
        SCOPED_TRACE(row.name);
        TempDir dir;
        const fs::path pkg = dir.path() / "pkg", user = dir.path() / "user";
        fs::create_directories(pkg);
        fs::create_directories(user);
        writeFile(user / "thesis.txt", "my thesis\r\n");
        writeFile(user / "board.rgn", "my region file\r\n");
        writeFile(pkg / "board.pcb", kBoard);
        std::string source = "pkg/board.pcb";
        if (row.source[0]) plantRecord(row, dir.path());
        if (row.plant) row.plant(pkg, user, source);
        const Files before = dir.snapshot();

        LinkPlanting planting((user / "thesis.txt").string());
        std::unique_ptr<ScopedFileSystem> scoped;
        if (row.links) scoped = std::make_unique<ScopedFileSystem>(planting);
        // A job that hangs ends the test program: better than a suite that never ends.
        std::promise<void> ended;
        std::thread watchdog([ended = ended.get_future()] {
            if (ended.wait_for(std::chrono::seconds(60)) == std::future_status::ready) return;
            std::fputs("a job on a planted folder hangs\n", stderr);
            std::_Exit(1);
        });
        const CliResult r = runCliIn(dir, {"pcb", source});
        ended.set_value();
        watchdog.join();
        scoped.reset();

        EXPECT_EQ(r.code, row.completes ? 0 : 1) << r.err;
        EXPECT_NE((r.out + r.err).find(row.said), std::string::npos) << r.out << r.err;
        const Files after = dir.snapshot();
        for (const auto& [name, data] : before) {
            if (row.followed && name == "pkg/board.pcb.commit99999999_1") continue;
            const auto now = after.find(name);
            EXPECT_TRUE(now != after.end() && now->second == data) << name;
        }
        for (const auto& [name, data] : after)
            EXPECT_TRUE(before.count(name) || name.rfind("pkg/", 0) == 0) << name;
    }
}

// Every file a job writes beside its sources is an output the record rules know: a genuine
// record of a killed job is followed.
TEST(PlantedFolders, RecordsOfEveryOutputAreFollowed) {
    TempDir dir;
    dir.write("board.pcb", kBoard + crlf({"zap"}));
    dir.write("a.sdf", testData("cases/compare/exports-sorted-files-and-deltas/a.sdf"));
    dir.write("b.net", crlf({"[", "R1", "AXIAL0.4", "10K", "", "]", "(", "VCC", "R1-1", ")"}));
    const Files before = dir.snapshot();
    runCliIn(dir, {"pcb", "board.pcb", "--export-primitives", "--preview"});
    runCliIn(dir, {"net", "b.net"});
    runCliIn(dir, {"compare", "a.sdf", "b.sdf", "--export-sorted", "--differences"});
    const fs::path folder = dir.path().lexically_normal();
    std::vector<std::string> sources;
    for (const char* name : {"a.sdf", "b.sdf", "board.pcb", "b.net"})
        sources.push_back((folder / name).string());
    size_t outputs = 0;
    for (const auto& [name, data] : dir.snapshot()) {
        if (before.count(name)) continue;
        ++outputs;
        const std::string target = (folder / name).string();
        const CommitRecord r{sources, {{target + ".tmp99999999_7", target, ""}}};
        EXPECT_TRUE(commitRecordAllowed(r, folder.string(), "a.sdf.commit99999999_1")) << name;
    }
    EXPECT_EQ(outputs, 4u + 10u + 1u + 1u + 2u + 1u);
}

}  // namespace
}  // namespace quorlin::test
