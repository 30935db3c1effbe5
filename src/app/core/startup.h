// What the window does outside the jobs, without the toolkit: the settings lines it keeps
// between runs, the help text, where the settings file lives, and the file boxes' dialogs.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "app/core/form.h"
#include "util/settings.h"

namespace quorlin {

// Settings line numbers of the file boxes and the option flags.
inline constexpr size_t kLineStyleFile = 1, kLineNetFnme = 2, kLineNetlistA = 3, kLineNetlistB = 4,
                        kLineFlags = 5, kLineFnme = 6;
inline constexpr int kDefaultGuardGap = 3;
inline constexpr int kGuardGapItems = 11;  // "0" to "10"

// Puts the settings into the form: a non-empty line replaces a box's design-time text; the flags
// line sets the check boxes and guardgap position by position. A short flags line leaves the
// missing positions at their design-time states; a guardgap index the list lacks becomes 3.
void restoreForm(const SettingsLines& lines, Form& form);

// The flags line: "1" or "0" for each check box in position order, guardgap's index as its last
// hex digit at position 9, replicate at 10 and xdiff last.
std::string flagsLine(const Form& form);

// Writes the boxes and the flags into lines 1 to 6; the other lines are left as they are.
void storeForm(const Form& form, SettingsLines& lines);

// The help text, lines ended by CR LF, the last one without an end.
std::string helptext();

// Where a window keeps its settings file, "<program name>.ini", by the rule of its system:
// - kPosix: in the user's settings folder, unless the file already stands beside the program
//   (a portable copy);
// - kWindows: beside the program when its folder may be written (the portable zip), else in the
//   user's settings folder.
// Never in a system folder (an installed program's, which no package owns the file in).
enum class SettingsRule { kPosix, kWindows };
struct SettingsPlaces {
    std::string program;                     // the program's own path
    std::string userFolder;                  // ~/.config/quorlin, %APPDATA%\Quorlin
    std::vector<std::string> systemFolders;  // /usr, C:\Program Files, ...
};
std::string settingsPath(SettingsRule rule, const SettingsPlaces& places);

// The places from the environment (getenv gives "" for a variable that is not set): on POSIX
// systems $XDG_CONFIG_HOME/quorlin, by default ~/.config/quorlin; on Windows
// %APPDATA%\Quorlin, and the program and system folders the environment names.
using Getenv = std::function<std::string(const char* name)>;
SettingsPlaces settingsPlaces(SettingsRule rule, const std::string& program, const Getenv& getenv);

// The dialog a double-click on a file box opens: its pattern and title.
struct FileBoxChoice {
    std::string_view box;
    std::string_view pattern;
    std::string_view title;
};
// nullptr for a name that is not a file box.
const FileBoxChoice* fileBoxChoice(std::string_view box);

}  // namespace quorlin
