// What every job works in: its host, its pending outputs, its status and its result. A job keeps
// nothing from an earlier one and shares nothing with another: two may run at once on two
// threads, each with its own host.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "job/host.h"
#include "job/results.h"
#include "util/files.h"

namespace quorlin {

// How a job works, not what it does: the outputs stay the same whatever these are.
struct JobTuning {
    // Records per block when records are formatted on two threads.
    size_t segmentBlock = 512;
    // When output text goes to the temporary files; 0 leaves the outputs' own choice.
    size_t spillBytes = 0;
    unsigned spillEvery = 0;
};

class Job {
  public:
    Job(Host& host, JobResult& result, const JobTuning& tuning);
    Job(const Job&) = delete;
    Job& operator=(const Job&) = delete;

    // Outputs of the job, committed when it ends.
    Outputs out;
    JobResult& result;
    const size_t segmentBlock;
    // Set by fail(); the job does not report completion.
    bool failed = false;

    Host& host() { return host_; }

    // Status line, echoed to the host.
    void status(std::string_view text);
    // Status line, beep, and the job counts as failed.
    void fail(std::string_view text);
    // A status line the user can read before the job goes on.
    void step(std::string_view text) {
        status(text);
        host_.pace(Host::Pace::Step);
    }
    // Lets what is shown stand a moment.
    void pause() { host_.pace(Host::Pace::Step); }
    // The job's last line: the host shows it, beeps, and the job counts as completed.
    void complete(std::string_view text);
    void processEvents() { host_.processEvents(); }
    // One more record: large outputs may go to their files now, and the host keeps alive.
    void tick() {
        // Between records is a safe moment to hand large outputs over.
        out.maybeSpill();
        host_.tick();
    }

    // Before a job writes beside its sources: finishes the commits that killed jobs left there,
    // saying so once for each.
    void finishInterrupted(const std::vector<std::string>& sources);
    // Reads a whole input file, the host kept alive meanwhile; on failure "Cannot read file: " +
    // path and false.
    bool readInput(const std::string& path, std::string& data);
    // Commits the job's outputs unless one would overwrite an input or another output ("Output
    // file name clash: ") or cannot be written ("Cannot write file: "). The first input is the
    // source the commit record goes beside. False after a failure.
    bool commitOutputs(const std::vector<std::string>& inputs);

  private:
    Host& host_;
};

}  // namespace quorlin
