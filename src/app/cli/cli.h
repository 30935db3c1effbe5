// The command line over the three jobs.
#pragma once

#include <functional>
#include <iosfwd>

#include "job/job.h"

namespace quorlin {

// Runs quorlin-cli with its arguments; 0 when the job completed, 1 when it reported a failure,
// 2 for a usage error. tune, if given, may change how the job works before it starts (never
// what it writes).
int runCli(int argc, const char* const* argv, std::ostream& out, std::ostream& err,
           const std::function<void(JobTuning&)>& tune = {});

}  // namespace quorlin
