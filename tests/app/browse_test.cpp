#include "app/core/browse.h"

#include <gtest/gtest.h>

#include "support/harness.h"

namespace quorlin {
namespace {

using test::TempDir;

TEST(Browse, StartDirectory) {
    TempDir dir;
    const std::string here = dir.path().string();
    std::filesystem::create_directories(dir.path() / "sub");
    const std::string sub = dir.file("sub");
    struct Row {
        std::string name, dir, expected;
    };
    const Row rows[] = {
        {"", sub, sub},                         // the directory given
        {"  " + sub + "/board.pcb ", "", sub},  // else the name's directory
        {"board.pcb", "", here},                // else the current directory
        {"", "", here},
        {"", "/no/such/dir", "/exe"},  // missing: the program's directory
        {"C:\\files\\cadd\\select.pcb", "", "/exe"},
    };
    for (const Row& row : rows) {
        std::string name = row.name;
        EXPECT_EQ(browseStartDir(name, row.dir, here, "/exe"), row.expected) << row.name;
    }
    std::string name = "  " + sub + "/board.pcb ";
    browseStartDir(name, "", here, "/exe");
    EXPECT_EQ(name, sub + "/board.pcb");  // the caller's name is trimmed
}

TEST(Browse, Pattern) {
    EXPECT_EQ(browsePattern(""), "*.*");
    EXPECT_EQ(browsePattern("*.sdf"), "*.sdf");
}

TEST(Browse, PickedNames) {
    EXPECT_EQ(pickedNames({}), "");
    EXPECT_EQ(pickedNames({"a.pcb"}), "a.pcb");
    EXPECT_EQ(pickedNames({"a.pcb", "b.pcb", "c.pcb"}), "a.pcb\r\nb.pcb\r\nc.pcb");
}

TEST(Browse, Result) {
    struct Row {
        std::string chosen, dir, expected;
    };
    const Row rows[] = {
        {"", "/home/u", ""},
        {"a.pcb", "/home/u", "/home/u/a.pcb"},
        {"a.pcb", "/", "/a.pcb"},
        {"a.pcb", "C:\\files", "C:\\files\\a.pcb"},
        {"a.pcb", "C:\\", "C:\\a.pcb"},
        {"a.pcb\r\nb.pcb", "/home/u", "/home/u/a.pcb ,b.pcb"},
        {"a.pcb\r\nb.pcb", "/", "/a.pcb ,b.pcb"},
        {"/tmp/typed.pcb", "/home/u", "/tmp/typed.pcb"},
        {"D:\\typed.pcb", "/home/u", "D:\\typed.pcb"},
        {"sub/x.pcb", "/home/u", "/home/u/sub/x.pcb"},
    };
    for (const Row& row : rows)
        EXPECT_EQ(browseResult(row.chosen, row.dir), row.expected)
            << row.chosen << " in " << row.dir;
}

}  // namespace
}  // namespace quorlin
