// The command line over the three jobs.
#pragma once

#include <functional>
#include <iosfwd>

namespace quorlin {

class Session;

// Runs quorlin-cli with its arguments; 0 when the job completed, 1 when it reported a failure,
// 2 for a usage error. prepare, if given, may tune how the session works before the job starts.
int runCli(int argc, const char* const* argv, std::ostream& out, std::ostream& err,
           const std::function<void(Session&)>& prepare = {});

}  // namespace quorlin
