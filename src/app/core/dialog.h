// The converter dialog without a toolkit: the form it shows, what it keeps from one job to the
// next, and the jobs its buttons start. The form's boxes map to the jobs' options and results
// here, in one place for both windows.
#pragma once

#include <string>

#include "app/core/form.h"
#include "job/host.h"
#include "job/job.h"
#include "job/options.h"
#include "job/results.h"

namespace quorlin {

// The options a job takes from the form: a check box sets its option when checked (1), not when
// unchecked (0) or grayed (2). A grayed "graphics as tracks" passes kept, the draw modes of the
// last conversion (all zero before the first); otherwise kept becomes the new table.
PcbOptions pcbOptions(const Form& form, LayerDrawModes& kept);
NetOptions netOptions(const Form& form);
CompareOptions compareOptions(const Form& form);

// Counts into their boxes; the converter's fill column A of the grid.
void showCounts(const PcbCounts& counts, Form& form);
void showCounts(const NetCounts& counts, Form& form);
void showCounts(const CompareCounts& counts, Form& form);

// How long a window lets a job's status line stand, in hundredths of a second.
int paceHundredths(Host::Pace pace);

// The progress character beside the buttons.
class Spinner {
  public:
    // 0 empties the caption; any other index turns the spinner one step, which shows a new
    // character every 400 steps.
    void spinme(int index, std::string& caption);
    int spincount() const { return spincount_; }

  private:
    int spincount_ = 0;
};

class Dialog {
  public:
    // toolkit is the window's host: events, waits, beep and date; the status lines reach it too.
    explicit Dialog(Host& toolkit) : toolkit_(toolkit) {}
    Dialog(const Dialog&) = delete;
    Dialog& operator=(const Dialog&) = delete;

    Form form;
    // The draw modes of the last conversion, which a grayed check box keeps.
    LayerDrawModes layerdrawmode{};
    // The region file of the last conversion that completed; "" before one has.
    std::string converted;
    bool failed = false;  // the last job's
    JobTuning tuning;

    // Copies the counts and report of the running job into the form; a window calls it before
    // it draws the form.
    void showProgress();

  private:
    class JobHost;
    friend void Commands_Click(Dialog& d, int index);

    Host& toolkit_;
    Spinner spinner_;
    // The result of the running job, while it counts.
    const PcbResult* pcb_ = nullptr;
    const NetResult* net_ = nullptr;
    const CompareResult* compare_ = nullptr;
};

// The command buttons: 0 "Convert PCB to Region", 1 "Convert Tango Nets to SDF", 2 "SDF Netlist
// Comparator" run their job on the form; any other index only hides the help box.
void Commands_Click(Dialog& d, int index);

}  // namespace quorlin
