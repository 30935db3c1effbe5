// The window's rules without a window: a click runs a job with the inputs disabled, a close
// during it waits for its end and then saves, and a browse takes only a file that exists.
#include "app/core/windowrules.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "app/core/browse.h"
#include "support/harness.h"

namespace quorlin {
namespace {

using test::TempDir;

// Records what the rules asked of the window; the job's first event round asks for a close.
struct FakeWindow : WindowControls, Host {
    WindowRules* rules = nullptr;
    std::string fnme;
    std::vector<std::string> calls;
    void readControls(Form& form) override {
        calls.push_back("read");
        form.fnme = fnme;
    }
    void showBusy(bool busy) override { calls.push_back(busy ? "busy" : "idle"); }
    void flush() override { calls.push_back("flush"); }
    void closeWindow() override { calls.push_back("close"); }
    void processEvents() override {
        if (rules->busy() && rules->close(*this) == WindowRules::Close::Wait)
            calls.push_back("close waits");
    }
};

TEST(WindowRules, AJobDisablesTheInputsAndACloseWaitsForItsEnd) {
    TempDir dir;
    dir.write("demo.pcb", test::readFile(QUORLIN_EXAMPLES "/demo.pcb"));
    FakeWindow window;
    WindowRules rules(window, dir.file("quorlin.ini"));
    window.rules = &rules;
    rules.start();
    window.fnme = dir.file("demo.pcb");
    rules.commandClick(window, 0);
    EXPECT_EQ(rules.form().errorbox, "Conversion complete");
    const std::vector<std::string> expected = {"read",  "busy", "flush", "close waits",
                                               "flush", "idle", "close"};
    std::vector<std::string> calls = window.calls;
    calls.erase(std::unique(calls.begin(), calls.end()), calls.end());
    EXPECT_EQ(calls, expected);
    EXPECT_FALSE(rules.form().notesVisible);  // a job hides the help

    EXPECT_EQ(rules.close(window), WindowRules::Close::Saved);
    SettingsLines saved;
    ASSERT_TRUE(settingsfile(dir.file("quorlin.ini"), "load", saved));
    EXPECT_EQ(saved[6], dir.file("demo.pcb"));
    WindowRules unsavable(window, dir.file("no/such/dir/quorlin.ini"));
    EXPECT_EQ(unsavable.close(window), WindowRules::Close::Unsaved);
    EXPECT_EQ(unsavable.closeWarning(),
              "Cannot write settings file: " + dir.file("no/such/dir/quorlin.ini"));
}

TEST(WindowRules, ABrowseTakesOnlyAnExistingFile) {
    // A browse leaves the process in the dialog's last directory: the test goes back after.
    const std::filesystem::path cwd = std::filesystem::current_path();
    TempDir dir;
    dir.write("a.pcb", "x");
    const std::string old = dir.file("old.pcb");
    struct Row {
        std::string chosen, expected;
    };
    const Row rows[] = {
        {"a.pcb", dir.file("a.pcb")},
        {"", old},                // cancelled
        {"a.pcb\r\nb.pcb", old},  // several names
        {"missing.pcb", old},     // typed, not there
    };
    for (const Row& row : rows) {
        BrowseRequest asked;
        const std::string got =
            browseFileBox("fnme", old, "/exe", [&](const BrowseRequest& request) {
                asked = request;
                return BrowseAnswer{row.chosen, dir.path().string()};
            });
        EXPECT_EQ(got, row.expected) << row.chosen;
        EXPECT_EQ(asked.startDir, dir.path().string());
        EXPECT_EQ(asked.pattern, "*.PCB");
        EXPECT_EQ(asked.title, "Select PCB source file");
    }
    EXPECT_TRUE(std::filesystem::equivalent(std::filesystem::current_path(), dir.path()));
    EXPECT_EQ(browseFileBox("errorbox", old, "/exe", {}), old);  // not a file box
    std::filesystem::current_path(cwd);
}

}  // namespace
}  // namespace quorlin
