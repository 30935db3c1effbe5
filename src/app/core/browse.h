// The rules of the file selection dialog's front end that need no toolkit: where it opens,
// what it lists, and how the picked names become the returned path.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace quorlin {

// dir when not empty, else the directory of name (name is trimmed), else cwd; a start directory
// that does not exist gives exeDir.
std::string browseStartDir(std::string& name, const std::string& dir, const std::string& cwd,
                           const std::string& exeDir);

// The list pattern: mask, or every file when mask is empty.
std::string browsePattern(const std::string& mask);

// What a double-click on the file list puts into the name box: the selected names in list order,
// separated by CR LF.
std::string pickedNames(const std::vector<std::string>& selected);

// The returned path from the name box text and the directory list path: "" for an empty
// choice; an absolute name as typed; otherwise directory and name joined with the directory's
// own separator, where CR becomes a blank and LF a comma, so several picked names come back as
// one text that names no file.
std::string browseResult(const std::string& chosen, const std::string& dirPath);

// What a window's file selection dialog is given, and what it leaves: the text of its name box
// (empty after Cancel) and the path of its directory list.
struct BrowseRequest {
    std::string startDir, pattern, title, name;
};
struct BrowseAnswer {
    std::string chosen, directory;
};
using FileDialog = std::function<BrowseAnswer(const BrowseRequest&)>;

// Shows dialog (modal) from the start directory and returns the joined result (browseResult).
// The process's current directory is left at the dialog's last directory.
std::string browsefile(std::string name, const std::string& mask, const std::string& dir,
                       const std::string& title, const std::string& exeDir,
                       const FileDialog& dialog);

// A double-click on the file box named box holding text: browses from the directory of text
// with the box's pattern and title, and returns the box's new text: the result when it names
// an existing file, else text (cancelled, several names, a typed name that does not exist).
std::string browseFileBox(std::string_view box, const std::string& text, const std::string& exeDir,
                          const FileDialog& dialog);

}  // namespace quorlin
