// The commit record: what a commit has left to do, written beside the job's source before the
// first output takes its place and deleted after the last. A job killed in between leaves it,
// and the next job that runs in that folder finishes the renames, so the outputs are never a
// mix of two runs. The record is handed to the system, which keeps it when the process dies,
// but not forced to the disk: that would wait for every output written before it, hundreds of
// megabytes for a large board, and the outputs themselves are not forced there either.
#pragma once

#include <string>
#include <string_view>
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

// What a record says: the job's sources (the record is named after the first) and its steps,
// every path absolute.
struct CommitRecord {
    std::vector<std::string> sources;
    std::vector<CommitStep> steps;
};

// The record's path for a commit of this process beside source.
std::string commitRecordNameFor(const std::string& source);
std::string commitRecordText(const std::vector<std::string>& sources,
                             const std::vector<CommitStep>& steps);
// True when text starts as every record does: a file only named like one is no record at all.
bool claimsCommitRecord(std::string_view text);
// False when text is not a whole record in this program's format.
bool parseCommitRecord(std::string_view text, CommitRecord& record);

// One step as a commit takes it and as a record's finisher takes it again.
bool takeCommitStep(const CommitStep& step);

struct InterruptedCommits {
    std::vector<std::string> completed;   // sources whose commits were finished
    std::vector<std::string> unfinished;  // records that could not be, left for the user
    std::vector<std::string> ignored;     // records this program did not write, left alone
};

// Finishes the records of processes that no longer run in the folders of the sources (each
// folder once), those the rules of commitrules.h allow, then deletes the named temporary files
// of such processes that no record left there lists.
InterruptedCommits finishInterruptedCommits(const std::vector<std::string>& sources);

}  // namespace quorlin
