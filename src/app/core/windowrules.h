// What the converter window does on its events, without a toolkit: start-up and close, the
// clicks of the buttons and the help box, the controls a job disables. Each window (Qt, Win32)
// only draws the form and wires its events to one WindowRules.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "app/core/dialog.h"
#include "app/core/form.h"
#include "util/settings.h"

namespace quorlin {

// The inputs a running job disables, by control name. Preview is not one of them: it is
// enabled whenever no job runs and a conversion has completed (WindowRules::previewReady).
inline constexpr std::array<std::string_view, 20> kJobInputs = {
    "fnme",  "netfnme",   "netlista",   "netlistb",   "stylefile",  "exclusion", "graphastrack",
    "xport", "replicate", "writestyle", "tagpads",    "tagvias",    "xpattern",  "xsdf",
    "xdiff", "guardgap",  "Commands_0", "Commands_1", "Commands_2", "Command1_0"};

// The tool tips of the converter window's controls, by control name: both windows show these.
struct ToolTip {
    std::string_view control, text;
};
inline constexpr ToolTip kToolTips[] = {
    {"exclusion",
     "Checked draws placement guides on M1-4, unchecked explodes components in place."},
    {"graphastrack",
     "Checked draws non-etch graphics as tracks to maintain width data, Unchecked draws graphics "
     "using default settings."},
    {"xport", "Checked exports primative sets to text files (Diag)."},
    {"replicate",
     "Checked replicates Tango through pads exactly in Ares with pad stacks.  Unchecked uses "
     "approximately safe translations to existing Ares shapes."},
    {"writestyle", "Checked exports primative sets to text files (Diag)."},
    {"tagpads", "Checked is tag free pads connected to Power or Ground Plane"},
    {"tagvias", "Checked is tag vias connected to Power or Ground Plane"},
    {"xpattern",
     "Checked removes package info from netlist to prevent package override in Ares at net load "
     "time."},
    {"xsdf", "Checked writes files with netlists in sorted format (Diag)."},
    {"xdiff", "Checked writes the differences between the two netlists to a text file."},
    {"preview", "Shows the region file the last conversion wrote."},
    {"counts_1", "Arcs, lines, and polygons that are part of components"},
};

// The tool tip of a control; "" for one without.
constexpr std::string_view toolTip(std::string_view control) {
    for (const ToolTip& t : kToolTips)
        if (t.control == control) return t.text;
    return {};
}

// The window as the rules see it.
class WindowControls {
  public:
    virtual ~WindowControls() = default;
    // Reads the file boxes, check boxes and guardgap into the form.
    virtual void readControls(Form& form) = 0;
    // Disables kJobInputs and Preview while busy; enables them after.
    virtual void showBusy(bool busy) = 0;
    // Shows the form (status, report, counts, spinner, help box) and processes pending events now.
    virtual void flush() = 0;
    // Closes the window for good: a close that came while a job ran.
    virtual void closeWindow() = 0;
};

class WindowRules {
  public:
    // host is the window's own: events, waits, beep and date.
    WindowRules(Host& host, std::string settingsPath);

    // The form as the window shows it: with the counts and report of a running job.
    Form& form() {
        dialog_.showProgress();
        return dialog_.form;
    }
    // Whether the last job failed.
    bool failed() const { return dialog_.failed; }
    const std::string& settingsPath() const { return settingsPath_; }
    bool busy() const { return busy_; }

    // Start-up: the settings file into the form; an unreadable file leaves the design-time states.
    void start();

    // A command button (0 to 2; another index only hides the help box): reads the controls
    // once, runs the job with every input disabled, shows its final state, then carries out a
    // close asked for meanwhile. Ignored while a job runs.
    void commandClick(WindowControls& window, int index);

    // The help button toggles the help box; a click on a file box and a double-click on the
    // help box hide it.
    void helpClick() { dialog_.form.notesVisible = !dialog_.form.notesVisible; }
    void hideHelp() { dialog_.form.notesVisible = false; }

    // The region file the last completed conversion wrote, which Preview draws; "" before one
    // has completed (the Preview button is grayed until then).
    const std::string& previewSource() const { return dialog_.converted; }
    bool previewReady() const { return !dialog_.converted.empty(); }

    // A close: Wait while a job runs (the window closes when it ends); otherwise the controls go
    // to the settings file, Unsaved when it cannot be written (closeWarning() says so). The
    // window closes in both cases.
    enum class Close { Wait, Saved, Unsaved };
    Close close(WindowControls& window);
    std::string closeWarning() const { return "Cannot write settings file: " + settingsPath_; }

  private:
    Dialog dialog_;
    std::string settingsPath_;
    SettingsLines settings_;
    bool busy_ = false;
    bool closePending_ = false;
};

}  // namespace quorlin
