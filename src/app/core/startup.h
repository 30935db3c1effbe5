// What the window does outside the jobs, without the toolkit: the settings lines it keeps
// between runs, the help text, where the settings file lives, and the file boxes' dialogs.
#pragma once

#include <string>
#include <string_view>

#include "job/form.h"
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

// "<name>.ini" beside the executable when its directory is writable, else in configDir.
std::string settingsPath(const std::string& exePath, const std::string& configDir);

// The dialog a double-click on a file box opens: its pattern and title.
struct FileBoxChoice {
    std::string_view box;
    std::string_view pattern;
    std::string_view title;
};
// nullptr for a name that is not a file box.
const FileBoxChoice* fileBoxChoice(std::string_view box);

}  // namespace quorlin
