// The rules of the file selection dialog's front end that need no toolkit: where it opens,
// what it lists, and how the picked names become the returned path.
#pragma once

#include <string>
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

}  // namespace quorlin
