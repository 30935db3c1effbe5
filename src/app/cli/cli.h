// The command line over the three jobs.
#pragma once

#include <functional>
#include <iosfwd>

#include "job/job.h"

namespace quorlin {

// Runs quorlin-cli with its arguments; 0 when every job completed, 1 when one reported a
// failure, 2 for a usage error. tune, if given, may change how the jobs work before they start
// (never what they write); terminal says that out is a terminal, where a batch of several files
// shows a progress line, errTerminal that err is one. On a terminal the texts of the files show
// their control bytes escaped, never raw.
int runCli(int argc, const char* const* argv, std::ostream& out, std::ostream& err,
           const std::function<void(JobTuning&)>& tune = {}, bool terminal = false,
           bool errTerminal = false);

}  // namespace quorlin
