// The commit record: what a commit has left to do, written beside the job's source before the
// first output takes its place and deleted after the last. A job killed in between leaves it,
// and the next job that runs in that folder finishes the renames, so the outputs are never a
// mix of two runs. The record is handed to the system, which keeps it when the process dies,
// but not forced to the disk: that would wait for every output written before it, hundreds of
// megabytes for a large board, and the outputs themselves are not forced there either.
#pragma once

#include <string>
#include <vector>

namespace quorlin {

// One step of a commit. With a temp the step renames it to target (after moving target to
// backup, when there is one), unless the temp is gone because the step was done. Without one,
// target is deleted.
struct CommitStep {
    std::string temp;
    std::string target;
    std::string backup;
};

// The record's path for a commit of this process beside source.
std::string commitRecordNameFor(const std::string& source);
std::string commitRecordText(const std::string& source, const std::vector<CommitStep>& steps);

// One step as a commit takes it and as a record's finisher takes it again.
bool takeCommitStep(const CommitStep& step);

struct InterruptedCommits {
    std::vector<std::string> completed;   // sources whose commits were finished
    std::vector<std::string> unfinished;  // records that could not be, left for the user
};

// Finishes the records of processes that no longer run in the folder of source, then deletes
// the named temporary files of such processes that no record left there lists.
InterruptedCommits finishInterruptedCommits(const std::string& source);

}  // namespace quorlin
