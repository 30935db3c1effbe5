#include "util/filename.h"

#include <gtest/gtest.h>

#include "support/harness.h"
#include "util/settings.h"

namespace quorlin {
namespace {

TEST(ParseFileName, Parts) {
    struct Case {
        const char* name;
        int part;
        const char* expected;
    };
    const Case cases[] = {
        {"  C:\\files\\cadd\\select.pcb ", 0, "select.pcb"},
        {"C:\\files\\cadd\\select.pcb", 1, "select"},
        {"C:\\files\\cadd\\select.pcb", 2, "pcb"},
        {"C:\\files\\cadd\\select.pcb", 3, "C:\\files\\cadd"},
        {"C:\\files\\cadd\\select.pcb", 5, "C:\\files\\cadd\\select"},
        {"C:\\work\\board.old.pcb", 4, "C:\\work\\board.old"},
        {"C:\\work\\board.old.pcb", 5, "C:\\work\\board"},
        {"/tmp/x.y/board.pcb", 5, "/tmp/x.y/board"},
        {"/tmp/x.y/board.pcb", 3, "/tmp/x.y"},
        {"b|o*ard.pcb", 1, "board"},
        {"pkg/?../b|o*ard.pcb", 5, "pkg/?../board"},
        {"board.pcb", 4, "board.pcb"},
        {"board.pcb", 5, "board"},
        {"board.pcb", 3, ""},
        {"\\board.pcb", 4, "\\board.pcb"},
        {"noext", 2, ""},
        {"noext", 0, "noext"},
        {"a/b\\c.d", 5, "a/b\\c"},
        {"", 5, ""},
        {"board.pcb", 9, ""},
        {"   ", 1, "   "},
    };
    for (const auto& c : cases)
        EXPECT_EQ(parsefilename(std::string(c.name), c.part), c.expected)
            << c.name << " part " << c.part;
}

TEST(Exists, FilesDirectoriesAndWildcards) {
    test::TempDir dir;
    dir.write("a.pcb", "x");
    EXPECT_TRUE(fileexists(dir.file("a.pcb")));
    EXPECT_FALSE(fileexists(dir.file("*.pcb")));
    EXPECT_FALSE(fileexists(dir.path().string()));
    EXPECT_FALSE(fileexists(""));
    EXPECT_TRUE(direxists(dir.path().string()));
    EXPECT_TRUE(direxists(dir.file("a.pcb")));
    EXPECT_FALSE(direxists(dir.file("nope")));
    EXPECT_FALSE(direxists(""));
}

TEST(Settings, LoadCreatesTwoLinesAndSaveRoundTrips) {
    test::TempDir dir;
    const std::string path = dir.file("quorlin.ini");
    SettingsLines lines;
    lines[1] = "old1";
    lines[3] = "kept";
    ASSERT_TRUE(settingsfile(path, "LOAD", lines));
    EXPECT_EQ(dir.read("quorlin.ini"), "\r\n\r\n");
    EXPECT_EQ(lines[1], "");
    EXPECT_EQ(lines[2], "");
    EXPECT_EQ(lines[3], "kept");
    // A place that cannot be written reads as the fresh two-line file.
    lines[2] = "old2";
    EXPECT_FALSE(settingsfile(dir.file("no/such/quorlin.ini"), "load", lines));
    EXPECT_EQ(lines[2], "");

    for (size_t i = 1; i <= 100; ++i) lines[i] = "line" + std::to_string(i);
    ASSERT_TRUE(settingsfile(path, "save", lines));
    SettingsLines back;
    ASSERT_TRUE(settingsfile(path, "load", back));
    for (size_t i = 1; i <= 100; ++i) EXPECT_EQ(back[i], lines[i]);

    std::string data = dir.read("quorlin.ini");
    data += "line101\r\n";
    dir.write("quorlin.ini", data);
    SettingsLines more;
    ASSERT_TRUE(settingsfile(path, "load", more));
    EXPECT_EQ(more[100], "line100");

    SettingsLines untouched;
    untouched[1] = "same";
    EXPECT_TRUE(settingsfile(path, "other", untouched));
    EXPECT_EQ(untouched[1], "same");
}

}  // namespace
}  // namespace quorlin
