#include "app/core/startup.h"

#include <array>

#include "util/basic.h"
#include "util/number.h"
#include "util/platform.h"

namespace quorlin {

namespace {

// Flag positions 1 to 11; position 9 is guardgap, which is not a check box. Position 11 came
// later: an older 10-character line leaves it at its design-time state, unchecked.
constexpr size_t kGuardGapPosition = 9;
constexpr std::array<int Form::*, 11> kFlagBoxes = {
    &Form::exclusion, &Form::graphastrack, &Form::xport,    &Form::writestyle,
    &Form::tagpads,   &Form::tagvias,      &Form::xpattern, &Form::xsdf,
    nullptr,          &Form::replicate,    &Form::xdiff};

}  // namespace

void restoreForm(const SettingsLines& lines, Form& form) {
    auto text = [&](size_t line, std::string& box) {
        if (!lines[line].empty()) box = lines[line];
    };
    text(kLineFnme, form.fnme);
    text(kLineStyleFile, form.stylefile);
    text(kLineNetFnme, form.netfnme);
    text(kLineNetlistA, form.netlista);
    text(kLineNetlistB, form.netlistb);

    const std::string& flags = lines[kLineFlags];
    if (flags.empty()) {
        form.guardgap = kDefaultGuardGap;
        return;
    }
    for (size_t pos = 1; pos <= kFlagBoxes.size() && pos <= flags.size(); ++pos) {
        const char c = flags[pos - 1];
        if (pos == kGuardGapPosition) {
            const int index = hexDigit(c);
            form.guardgap = index < kGuardGapItems ? index : kDefaultGuardGap;
        } else {
            form.*kFlagBoxes[pos - 1] = c == '1' ? 1 : 0;
        }
    }
}

std::string flagsLine(const Form& form) {
    std::string flags;
    for (size_t pos = 1; pos <= kFlagBoxes.size(); ++pos) {
        if (pos == kGuardGapPosition)
            flags += "0123456789ABCDEF"[static_cast<unsigned>(form.guardgap) & 15];
        else
            flags += form.*kFlagBoxes[pos - 1] == 1 ? '1' : '0';
    }
    return flags;
}

void storeForm(const Form& form, SettingsLines& lines) {
    lines[kLineFnme] = form.fnme;
    lines[kLineStyleFile] = form.stylefile;
    lines[kLineNetFnme] = form.netfnme;
    lines[kLineNetlistA] = form.netlista;
    lines[kLineNetlistB] = form.netlistb;
    lines[kLineFlags] = flagsLine(form);
}

std::string helptext() {
    const std::string end = "\r\n";
    return "Revision: " + versionstring() + end + end + "Issues:" + end +
           "1. Zones get translated but Ares sets the 'Custom' color to a random value which may "
           "make it the wrong color or black even, which makes it look like it is missing." +
           end + end +
           "2. Ares does not allow surface pads in the Pad Stack editor, but it seems to have no "
           "other problem.  Exact pad translation uses pad stacks with surface pads as the "
           "templates." +
           end + end +
           "3. When retaining graphics widths (Convert graphics to tracks), Ares does not allow "
           "edditing with the graphics tools but selecting with block select will still work." +
           end + end + "Revision history:" + end +
           "1.01.02 [2006/11/20] Fixed issue with reference data layers for components, should "
           "be M1/M3 for Top/Bot but was all M3 (Had to do with component exploding being "
           "turned on)." +
           end + end +
           "1.01.01 [2006/11/18] Added handler for negative numbers in Tango component index "
           "data, looked like an error in the componenet number, locations were zero on this "
           "board." +
           end + end + "1.01.00 [2006/11/01] Initial release.";
}

namespace {

// Folder names as compared: one separator, and on Windows one case.
char folded(char c, bool anyCase) {
    if (c == '\\') return '/';
    return anyCase && c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// True when the path is the folder or inside it; Windows names match in any case.
bool inside(const std::string& path, const std::string& folder, bool anyCase) {
    size_t n = folder.size();
    while (n > 0 && (folder[n - 1] == '/' || folder[n - 1] == '\\')) --n;
    if (n == 0 || path.size() < n) return false;
    for (size_t i = 0; i < n; ++i)
        if (folded(path[i], anyCase) != folded(folder[i], anyCase)) return false;
    return path.size() == n || path[n] == '/' || path[n] == '\\';
}

}  // namespace

std::string settingsPath(SettingsRule rule, const SettingsPlaces& places) {
    const std::string& exePath = places.program;
    const size_t sep = exePath.find_last_of("/\\");
    const std::string dir = sep == std::string::npos ? "." : exePath.substr(0, sep);
    std::string name = exePath.substr(sep == std::string::npos ? 0 : sep + 1);
    if (const size_t dot = name.rfind('.'); dot != std::string::npos && dot > 0) name.resize(dot);
    name += ".ini";
    // Joined as the program's own path is (a backslash on Windows).
    const std::string beside = dir + (sep == std::string::npos ? '/' : exePath[sep]) + name;
    const char userSep = rule == SettingsRule::kWindows ? '\\' : '/';
    const std::string inUserFolder = places.userFolder + userSep + name;

    for (const std::string& system : places.systemFolders)
        if (inside(dir, system, rule == SettingsRule::kWindows)) return inUserFolder;
    if (rule == SettingsRule::kPosix)
        return platform::fileSize(beside) >= 0 ? beside : inUserFolder;
    // A settings file that is there and writable stays usable even in a locked directory.
    if (platform::mayWrite(beside) || platform::mayWrite(dir.empty() ? "/" : dir)) return beside;
    return inUserFolder;
}

SettingsPlaces settingsPlaces(SettingsRule rule, const std::string& program, const Getenv& getenv) {
    SettingsPlaces places{program, "", {}};
    if (rule == SettingsRule::kWindows) {
        const std::string appData = getenv("APPDATA");
        places.userFolder = (appData.empty() ? "." : appData) + "\\Quorlin";
        for (const char* name : {"ProgramFiles", "ProgramFiles(x86)", "ProgramW6432", "SystemRoot"})
            if (std::string folder = getenv(name); !folder.empty())
                places.systemFolders.push_back(folder);
        return places;
    }
    // A relative $XDG_CONFIG_HOME is not to be used, as the XDG base directories say.
    const std::string config = getenv("XDG_CONFIG_HOME"), home = getenv("HOME");
    places.userFolder = config.starts_with('/') ? config : (home.empty() ? "." : home) + "/.config";
    places.userFolder += "/quorlin";
    places.systemFolders = {"/bin", "/sbin", "/usr", "/opt", "/etc"};
    return places;
}

const FileBoxChoice* fileBoxChoice(std::string_view box) {
    static constexpr FileBoxChoice kChoices[] = {
        {"fnme", "*.PCB", "Select PCB source file"},
        {"netfnme", "*.net", "Select Tango netlist to convert to SDF"},
        {"netlista", "*.sdf", "Select first SDF netlist for comparator"},
        {"netlistb", "*.sdf", "Select second SDF netlist for comparator"},
        {"stylefile", "*.STY", "Select Ares default style file"},
    };
    for (const FileBoxChoice& c : kChoices)
        if (c.box == box) return &c;
    return nullptr;
}

}  // namespace quorlin
