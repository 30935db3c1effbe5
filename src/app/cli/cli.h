// The command line over the three jobs.
#pragma once

#include <iosfwd>

namespace quorlin {

// Runs quorlin-cli with its arguments; 0 when the job completed, 1 when it reported a failure,
// 2 for a usage error.
int runCli(int argc, const char* const* argv, std::ostream& out, std::ostream& err);

}  // namespace quorlin
