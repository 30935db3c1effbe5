// A job as the window runs it: its form, host and what the window keeps.
#pragma once

#include "app/core/dialog.h"
#include "support/harness.h"

namespace quorlin::test {

struct JobRun {
    RecordingHost host;
    Dialog dialog{host};
    Form& form() { return dialog.form; }
    bool failed() const { return dialog.failed; }
    // Presses the job's button (0 PCB, 1 netlist, 2 comparator).
    void click(int index) { Commands_Click(dialog, index); }
};

}  // namespace quorlin::test
