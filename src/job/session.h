// The state a job shares with the window and the next job: the form, the primitive sets, the
// style registry, the draw modes, the trash flag, the spinner and the job's pending outputs.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "job/form.h"
#include "job/host.h"
#include "job/primitives.h"
#include "job/registry.h"
#include "util/files.h"

namespace quorlin {

class Session {
  public:
    explicit Session(Host& host) : host_(host) {
        out.setWaitingTick([this] { host_.processEvents(); });
    }
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    Form form;
    PrimitiveSets sets;
    StyleRegistry registry;
    // Per Tango layer 0..22: 1 draws the layer's graphics as tracks, 2 as graphics.
    std::array<int, 23> layerdrawmode{};
    bool trashempty = true;
    int spincount = 0;
    // Records per block when the track sections are formatted on two threads.
    size_t segmentBlock = 512;
    // Whether the comparator names the differences even when no file asks for them: the window
    // shows their summary after every comparison, the command line only when asked.
    bool differencesSummary = true;

    // Outputs of the running job, committed when it ends.
    Outputs out;
    // Output base of the running PCB job: the source path without extension.
    std::string base;
    // Set by fail(); the job does not report completion.
    bool failed = false;
    // The PCB job also writes the board preview, base + ".svg".
    bool preview = false;
    // Region file of the last PCB job that completed; "" before one has.
    std::string converted;

    Host& host() { return host_; }

    // Status line, echoed to the host.
    void status(std::string_view text);
    // Status line, beep, and the job counts as failed.
    void fail(std::string_view text);
    // A status line the user can read before the job goes on.
    void step(std::string_view text) {
        status(text);
        processEvents();
        pause(10);
    }
    void processEvents() { host_.processEvents(); }
    void pause(int hundredths) { host_.pause(hundredths); }
    // 0 resets the spinner; any other value advances it one step.
    void spinme(int index);

    // Output buffers of the PCB job.
    std::string& region() { return out.append(base + ".rgn"); }
    std::string& trash() { return out.append(base + "_Trash.txt"); }
    std::string& report() { return out.append(base + ".rep"); }

    // Style lists for the user: heading and a dash row (fileDashes long in the file, 58 in the
    // box), lines, and the closing empty line.
    void reportHeading(std::string_view heading, size_t fileDashes);
    void reportLine(std::string_view line);
    void reportEnd();

    // Before a job writes beside its sources: finishes the commits that killed jobs left there,
    // saying so once for each.
    void finishInterrupted(const std::vector<std::string>& sources);
    // Reads a whole input file; on failure "Cannot read file: " + path and false.
    bool readInput(const std::string& path, std::string& data);
    // Commits the job's outputs unless one would overwrite an input or another output ("Output
    // file name clash: ") or cannot be written ("Cannot write file: "). The first input is the
    // source the commit record goes beside. False after a failure.
    bool commitOutputs(const std::vector<std::string>& inputs);

    // Appends one source line to the trash file and marks it non-empty.
    void trashLine(std::string_view line);

  private:
    Host& host_;
};

// Adds one to a count box that holds a plain decimal number.
void bumpCount(std::string& box);

}  // namespace quorlin
