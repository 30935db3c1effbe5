// Many files in one run of the command line: the sources a list of names and folders stands
// for, the ones whose outputs would clash, and the jobs run side by side with their summary.
#pragma once

#include <functional>
#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

#include "job/host.h"

namespace quorlin {

// The names in order, a folder standing for every file in it whose name ends with extension in
// any case, sorted by name. A folder without such a file stays as it is, for the job to refuse.
std::vector<std::string> expandSources(const std::vector<std::string>& names,
                                       std::string_view extension);

// For each output path, whether another of them names the same file.
std::vector<bool> sharedOutputs(const std::vector<std::string>& outputs);

// What the summary shows of one file's job.
struct BatchOutcome {
    bool completed = false;
    std::string message;  // why not, when it did not complete
    std::string report;   // lines ended by CR LF
    std::vector<long long> counts;
};

struct Batch {
    std::vector<std::string> sources;
    // The output of a source that a clash would name (its region file, its SDF).
    std::function<std::string(const std::string& source)> output;
    // Runs the job on one source; may run on several threads at once, each with its own host.
    std::function<BatchOutcome(const std::string& source, Host& host)> run;
    std::vector<std::string> countCaptions;  // of BatchOutcome::counts, for the summary
    unsigned jobs = 1;
    bool terminal = false;  // out is a terminal: a progress line shows what runs
    // Where the progress line goes, its carriage returns unescaped (out when null).
    std::ostream* progressOut = nullptr;
};

// Runs every source and prints each job's lines together, prefixed with its source, then the
// summary. 0 when every job completed, else 1.
int runBatch(const Batch& batch, std::ostream& out, std::ostream& err);

}  // namespace quorlin
