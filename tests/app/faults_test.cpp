// File-system faults during the three jobs. Each must end with a clear message and the beep, and
// leave every file in the user's folders exactly as it was (no half-written or stray temporary
// file). Faults are injected through the file layer, since permission bits do not stop root.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>

#include "app/job_run.h"
#include "support/harness.h"
#include "util/basic.h"
#include "util/files.h"

namespace quorlin::test {
namespace {

namespace fs = std::filesystem;

enum class Fault {
    SourceVanishes,       // deleted between the existence check and the read
    SourceUnreadable,     // exists, but reading it fails
    SourceIsDirectory,    // the chosen name is a folder
    FolderReadOnly,       // no file can be created in the output folder
    OutputReadOnly,       // the earlier output is marked read-only
    DiskFull,             // the new output is written half-way, then the write fails
    StyleFolderReadOnly,  // nothing can be created beside the style file
    StyleReadOnly,        // the user's style file is marked read-only
    BackupLocked,         // the style file's older backup cannot be deleted or replaced
};

// The fault at target (a file, or a folder for the folder faults) as the file system injects it.
FaultyFileSystem::Fault injected(Fault fault, const std::string& target) {
    using F = FaultyFileSystem;
    switch (fault) {
        case Fault::SourceVanishes:
            return {F::Vanish, target};
        case Fault::SourceUnreadable:
            return {F::Read, target};
        case Fault::FolderReadOnly:
        case Fault::StyleFolderReadOnly:
            return {F::Write | F::Rename | F::Remove, target + "/"};
        case Fault::DiskFull:
            // Outputs are staged as "<name>.tmp..." beside themselves.
            return {F::Write, target + ".tmp*", true};
        case Fault::BackupLocked:
            return {F::Rename | F::Remove, target};
        default:
            return {0, ""};
    }
}

// Every file and folder under root with its contents and permission bits.
std::map<std::string, std::string> tree(const fs::path& root) {
    std::map<std::string, std::string> entries;
    for (const auto& e : fs::recursive_directory_iterator(root)) {
        const std::string name = fs::relative(e.path(), root).string();
        const auto perms = std::to_string(static_cast<unsigned>(e.status().permissions()));
        entries[name] = e.is_directory() ? "<dir> " + perms : perms + " " + readFile(e.path());
    }
    return entries;
}

const std::string kBoard = crlf({
    ";tango-pcb",
    "version 1 0",
    "net GND 1",
    "comp R1 AXIAL0.4 1 0 0 0 10K 0 0 1000 2000 0 0 0 0 1 0",
    "pad sq 60 60 32 al gd 0 1000 2000 0 1 0",
    "pad el 80 80 40 al pt 0 300 300 0 0 0",
    "via c 60 35 gd 1000 1000 0",
    "line 12 0 100 200 100 300 0 0",
    "drill 1000 1000 35",
});

const std::string kNetlist = crlf({"[", "R1", "AXIAL0.4", "10K", "", "]", "(", "VCC", "R1-1", ")"});

std::string sdf(const std::string& nets) {
    return crlf({"ISIS SCHEMATIC DESCRIPTION FORMAT 6.1", "*PARTLIST,1",
                 "R1,1K,,EID=1,PACKAGE=AXIAL0.4", "", "*NETLIST,1"}) +
           nets;
}

// One job on a folder that already holds the outputs of an earlier run, with the sources changed
// since, so that any file the failed run wrote would differ.
struct Job {
    int index;
    std::string source;   // the source a read fault hits
    std::string invalid;  // the message for a source that is not a file
};

Job prepare(int index, const TempDir& dir, JobRun& s) {
    fs::create_directory(dir.path() / "ares");
    switch (index) {
        case 0:
            dir.write("board.pcb", kBoard);
            dir.write("ares/Default.STY", "user styles\r\n");
            s.form().fnme = dir.file("board.pcb");
            s.form().writestyle = 1;
            s.form().stylefile = dir.file("ares/Default.STY");
            break;
        case 1:
            dir.write("board.net", kNetlist);
            s.form().netfnme = dir.file("board.net");
            break;
        default:
            dir.write("a.sdf", sdf(crlf({"VCC,1", "R1,PS,1"})));
            dir.write("b.sdf", sdf(crlf({"GND,1", "R1,PS,2"})));
            s.form().netlista = dir.file("a.sdf");
            s.form().netlistb = dir.file("b.sdf");
            s.form().xsdf = 1;
            break;
    }
    s.click(index);
    EXPECT_FALSE(s.failed()) << s.form().errorbox;
    switch (index) {
        case 0:
            dir.write("board.pcb", kBoard + crlf({"line 20 1 0 0 500 500 0 0", "frob"}));
            return {0, dir.file("board.pcb"), "Source file name is not valid"};
        case 1:
            dir.write("board.net", kNetlist + crlf({"(", "GND", "R1-2", ")"}));
            return {1, dir.file("board.net"), "Netlist source file name is not valid"};
        default:
            dir.write("b.sdf", sdf(crlf({"GND,2", "R1,PS,2", "R1,PS,1"})));
            return {2, dir.file("b.sdf"), "Netlist B source file name is not valid"};
    }
}

TEST(Faults, EachEndsWithAMessageAndLeavesEveryFileAsItWas) {
    struct Case {
        int job;
        Fault fault;
        // Relative to the folder: the file or folder the fault hits ("" for the job's source).
        const char* target;
        // The message after the fault's prefix; "" for the job's source.
        const char* message;
        // Hands outputs to their temporary files every few bytes, as large boards do.
        bool staged = false;
    };
    const Case cases[] = {
        {0, Fault::SourceVanishes, "", "Cannot read file: "},
        {1, Fault::SourceVanishes, "", "Cannot read file: "},
        {2, Fault::SourceVanishes, "", "Cannot read file: "},
        {0, Fault::SourceUnreadable, "", "Cannot read file: "},
        {1, Fault::SourceUnreadable, "", "Cannot read file: "},
        {2, Fault::SourceUnreadable, "", "Cannot read file: "},
        {0, Fault::SourceIsDirectory, "", ""},
        {1, Fault::SourceIsDirectory, "", ""},
        {2, Fault::SourceIsDirectory, "", ""},
        {0, Fault::FolderReadOnly, ".", "Cannot write file: board_Trash.txt"},
        {1, Fault::FolderReadOnly, ".", "Cannot write file: board.sdf"},
        {2, Fault::FolderReadOnly, ".", "Cannot write file: a_Sorted.txt"},
        {0, Fault::OutputReadOnly, "board.rgn", "Cannot write file: board.rgn"},
        {0, Fault::OutputReadOnly, "board_Trash.txt", "Cannot write file: board_Trash.txt"},
        {1, Fault::OutputReadOnly, "board.sdf", "Cannot write file: board.sdf"},
        {2, Fault::OutputReadOnly, "b_Sorted.txt", "Cannot write file: b_Sorted.txt"},
        {0, Fault::DiskFull, "board.rgn", "Cannot write file: board.rgn"},
        {0, Fault::DiskFull, "board.rgn", "Cannot write file: board.rgn", true},
        {0, Fault::FolderReadOnly, ".", "Cannot write file: board_Trash.txt", true},
        {0, Fault::OutputReadOnly, "board.rgn", "Cannot write file: board.rgn", true},
        {0, Fault::DiskFull, "board_styles.txt", "Cannot write file: board_styles.txt"},
        {1, Fault::DiskFull, "board.sdf", "Cannot write file: board.sdf"},
        {2, Fault::DiskFull, "b_Sorted.txt", "Cannot write file: b_Sorted.txt"},
        {0, Fault::StyleFolderReadOnly, "ares", "Cannot write file: ares/Default.STY"},
        {0, Fault::StyleReadOnly, "ares/Default.STY", "Cannot write file: ares/Default.STY"},
        {0, Fault::BackupLocked, "ares/Default.STY.bak", "Cannot write file: ares/Default.STY"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("job " + std::to_string(c.job) + " fault " +
                     std::to_string(static_cast<int>(c.fault)) + " " + c.target +
                     (c.staged ? " staged" : ""));
        TempDir dir;
        JobRun setup;
        const Job job = prepare(c.job, dir, setup);

        JobRun s;
        s.form() = setup.form();
        if (c.staged) s.dialog.tuning.spillBytes = 16, s.dialog.tuning.spillEvery = 1;
        std::string target = c.target[0] == '\0' ? job.source : dir.file(c.target);
        if (std::string(c.target) == ".") target = dir.path().string();
        if (c.fault == Fault::SourceIsDirectory) {
            fs::remove(job.source);
            fs::create_directory(job.source);
        }
        if (c.fault == Fault::OutputReadOnly || c.fault == Fault::StyleReadOnly)
            fs::permissions(target, fs::perms::owner_read | fs::perms::group_read);

        auto before = tree(dir.path());
        if (c.fault == Fault::SourceVanishes)
            before.erase(fs::relative(job.source, dir.path()).string());
        FaultyFileSystem faulty;
        faulty.faults.push_back(injected(c.fault, target));
        {
            ScopedFileSystem scoped(faulty);
            s.click(c.job);
        }

        std::string expected = c.message;
        if (c.fault == Fault::SourceIsDirectory)
            expected = job.invalid;
        else if (c.target[0] == '\0')
            expected += job.source;
        else
            expected = "Cannot write file: " + dir.file(expected.substr(19));
        EXPECT_EQ(s.form().errorbox, expected);
        EXPECT_TRUE(s.failed());
        EXPECT_EQ(s.host.beeps, 1);
        // The failure is the last word: no completion message follows it.
        ASSERT_FALSE(s.host.statuses.empty());
        EXPECT_EQ(s.host.statuses.back(), expected);
        EXPECT_EQ(tree(dir.path()), before);
    }
}

}  // namespace
}  // namespace quorlin::test
