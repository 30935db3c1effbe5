// Start-up and close: the settings lines, the flags line position by position, where the file
// lives on each system.
#include "app/core/startup.h"

#include <gtest/gtest.h>

#include <map>

#include "support/harness.h"

namespace quorlin {
namespace {

using test::TempDir;

TEST(Startup, FirstStartKeepsDesignTimeStatesAndSavesHundredLines) {
    TempDir dir;
    const std::string path = dir.file("quorlin.ini");
    SettingsLines lines;
    ASSERT_TRUE(settingsfile(path, "load", lines));
    Form form;
    restoreForm(lines, form);
    EXPECT_EQ(form.fnme, "C:\\files\\cadd\\select.pcb");
    EXPECT_EQ(form.stylefile, "C:\\files\\cadd\\Default.STY");
    EXPECT_EQ(form.guardgap, 3);
    EXPECT_EQ(flagsLine(form), "00000000300");

    storeForm(form, lines);
    ASSERT_TRUE(settingsfile(path, "save", lines));
    const std::string saved = dir.read("quorlin.ini");
    const std::string expectedHead =
        test::crlf({"C:\\files\\cadd\\Default.STY", "C:\\files\\cadd\\select_TANGO",
                    "C:\\files\\cadd\\select_SDF1", "C:\\files\\cadd\\select_SDF2", "00000000300",
                    "C:\\files\\cadd\\select.pcb"});
    std::string expected = expectedHead;
    for (int i = 7; i <= 100; ++i) expected += "\r\n";
    EXPECT_EQ(saved, expected);
}

TEST(Startup, LinesGoToTheirBoxesAndEmptyLinesKeepDefaults) {
    SettingsLines lines;
    lines[1] = "/s/a.STY";
    lines[2] = "";
    lines[3] = "/n/a.sdf";
    lines[4] = "/n/b.sdf";
    lines[6] = "/p/board.pcb";
    Form form;
    restoreForm(lines, form);
    EXPECT_EQ(form.stylefile, "/s/a.STY");
    EXPECT_EQ(form.netfnme, "C:\\files\\cadd\\select_TANGO");
    EXPECT_EQ(form.netlista, "/n/a.sdf");
    EXPECT_EQ(form.netlistb, "/n/b.sdf");
    EXPECT_EQ(form.fnme, "/p/board.pcb");
}

TEST(Startup, FlagsLineRestoresEachPosition) {
    struct Row {
        std::string flags;
        std::array<int, 9> boxes;  // exclusion graphastrack xport writestyle tagpads tagvias
                                   // xpattern xsdf replicate
        int guardgap;
    };
    const Row rows[] = {
        {"1111111111", {1, 1, 1, 1, 1, 1, 1, 1, 1}, 1},
        {"1010101051", {1, 0, 1, 0, 1, 0, 1, 0, 1}, 5},
        {"000000000A", {0, 0, 0, 0, 0, 0, 0, 0, 0}, 0},  // only "1" checks a box
        {"00000000A0", {0, 0, 0, 0, 0, 0, 0, 0, 0}, 10},
        {"00000000a1", {0, 0, 0, 0, 0, 0, 0, 0, 1}, 10},  // hex digits in either case
        {"00000000B1", {0, 0, 0, 0, 0, 0, 0, 0, 1}, 3},   // no item 11: the default
        {"00000000F0", {0, 0, 0, 0, 0, 0, 0, 0, 0}, 3},
        {"x1y1z1w1Z?", {0, 1, 0, 1, 0, 1, 0, 1, 0}, 0},  // odd characters: unchecked, index 0
        {"11", {1, 1, 1, 1, 1, 1, 1, 1, 1}, 7},          // short: the rest keep their states
    };
    for (const Row& row : rows) {
        SettingsLines lines;
        lines[5] = row.flags;
        Form form;
        // Distinct design-time states show which positions a short line leaves alone.
        form.xport = form.writestyle = form.tagpads = form.tagvias = form.xpattern = form.xsdf =
            form.replicate = 1;
        form.guardgap = row.flags.size() < 9 ? 7 : 2;
        restoreForm(lines, form);
        const std::array<int, 9> got = {form.exclusion,  form.graphastrack, form.xport,
                                        form.writestyle, form.tagpads,      form.tagvias,
                                        form.xpattern,   form.xsdf,         form.replicate};
        EXPECT_EQ(got, row.boxes) << row.flags;
        EXPECT_EQ(form.guardgap, row.guardgap) << row.flags;
    }
}

// The eleventh flag came later: a line of ten reads it unchecked.
TEST(Startup, FlagPositionElevenIsExportDifferences) {
    SettingsLines lines;
    Form form;
    lines[5] = "00000000301";
    restoreForm(lines, form);
    EXPECT_EQ(form.xdiff, 1);
    EXPECT_EQ(flagsLine(form), "00000000301");
    lines[5] = "0000000030";
    form = Form{};
    restoreForm(lines, form);
    EXPECT_EQ(form.xdiff, 0);
}

TEST(Startup, GuardGapTenRoundTripsAsA) {
    TempDir dir;
    const std::string path = dir.file("q.ini");
    SettingsLines lines;
    settingsfile(path, "load", lines);
    for (int i = 7; i <= 100; ++i) lines[static_cast<size_t>(i)] = "keep " + std::to_string(i);
    Form form;
    form.guardgap = 10;
    form.exclusion = form.writestyle = form.replicate = 1;
    form.tagvias = 2;  // grayed is not checked
    form.fnme = "/boards/a b.pcb";
    storeForm(form, lines);
    EXPECT_EQ(lines[5], "10010000A10");
    ASSERT_TRUE(settingsfile(path, "save", lines));

    SettingsLines reread;
    ASSERT_TRUE(settingsfile(path, "load", reread));
    Form back;
    restoreForm(reread, back);
    EXPECT_EQ(back.guardgap, 10);
    EXPECT_EQ(back.exclusion, 1);
    EXPECT_EQ(back.writestyle, 1);
    EXPECT_EQ(back.replicate, 1);
    EXPECT_EQ(back.tagvias, 0);
    EXPECT_EQ(back.fnme, "/boards/a b.pcb");
    for (size_t i = 7; i <= 100; ++i) EXPECT_EQ(reread[i], "keep " + std::to_string(i));
}

// Where each system's window keeps its settings: a folder of the table's own stands in for the
// system's folders. "~" is the user's settings folder.
TEST(Startup, SettingsFileWhereTheProgramsSystemKeepsIt) {
    TempDir dir;
    const std::string d = dir.path().string();
    for (const char* name :
         {"portable/quorlin.ini", "sys/bin/quorlin.ini", "system/quorlin.ini", "opt/a/quorlin.ini"})
        dir.write(name, "");
    const auto posix = SettingsRule::kPosix, windows = SettingsRule::kWindows;
    const struct {
        SettingsRule rule;
        std::string program, expected;
    } rows[] = {
        {posix, d + "/portable/quorlin", d + "/portable/quorlin.ini"},  // a portable copy
        {posix, d + "/portable/other", "~/other.ini"},                  // a copy of its own name
        {posix, d + "/sys/bin/quorlin", "~/quorlin.ini"},  // never beside an installed program
        {posix, d + "/system/quorlin", d + "/system/quorlin.ini"},            // not inside sys
        {windows, d + "/portable/quorlin.exe", d + "/portable/quorlin.ini"},  // folder writable
        {windows, d + "/system/quorlin.exe", d + "/system/quorlin.ini"},
        {windows, "/no/such/dir/quorlin.exe", "~\\quorlin.ini"},  // folder not writable
        {windows, d + "/SYS/bin/quorlin.exe", "~\\quorlin.ini"},  // Windows names in any case
        {windows, d + "\\sys\\Quorlin\\quorlin.exe", "~\\quorlin.ini"},
        {posix, d + "/opt/a/quorlin", "~/quorlin.ini"},  // a system folder without its "/"
    };
    // The last system folder differs from the portable copy's in its first character only.
    for (const auto& r : rows)
        EXPECT_EQ(settingsPath(
                      r.rule, {r.program,
                               "~",
                               {"/etc", d + "/sys/", d + "/opt", "#" + d.substr(1) + "/portable"}}),
                  r.expected)
            << r.program;
}

TEST(Startup, SettingsFoldersComeFromTheEnvironment) {
    const struct {
        SettingsRule rule;
        std::map<std::string, std::string> env;
        std::string userFolder;
        std::vector<std::string> systemFolders;
    } rows[] = {
        {SettingsRule::kPosix,
         {{"XDG_CONFIG_HOME", "/x/cfg"}, {"HOME", "/home/u"}},
         "/x/cfg/quorlin",
         {"/bin", "/sbin", "/usr", "/opt", "/etc"}},
        // A relative XDG_CONFIG_HOME is ignored.
        {SettingsRule::kPosix,
         {{"XDG_CONFIG_HOME", "cfg"}, {"HOME", "/home/u"}},
         "/home/u/.config/quorlin",
         {"/bin", "/sbin", "/usr", "/opt", "/etc"}},
        {SettingsRule::kWindows,
         {{"APPDATA", "C:\\Users\\u\\AppData\\Roaming"},
          {"ProgramFiles", "C:\\Program Files"},
          {"SystemRoot", "C:\\Windows"},
          {"HOME", "/home/u"}},
         "C:\\Users\\u\\AppData\\Roaming\\Quorlin",
         {"C:\\Program Files", "C:\\Windows"}},
    };
    for (const auto& r : rows) {
        const SettingsPlaces places = settingsPlaces(r.rule, "/p/quorlin", [&](const char* name) {
            const auto it = r.env.find(name);
            return it == r.env.end() ? std::string() : it->second;
        });
        EXPECT_EQ(places.userFolder, r.userFolder);
        EXPECT_EQ(places.systemFolders, r.systemFolders);
    }
}

}  // namespace
}  // namespace quorlin
