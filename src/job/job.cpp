#include "job/job.h"

#include <mutex>

#include "util/commitrecord.h"

namespace quorlin {

Job::Job(Host& host, JobResult& result, const JobTuning& tuning)
    : result(result), segmentBlock(tuning.segmentBlock), host_(host) {
    if (tuning.spillBytes > 0) out.setSpill(tuning.spillBytes, tuning.spillEvery);
    out.setWaitingTick([this] { host_.processEvents(); });
}

void Job::status(std::string_view text) {
    result.message = std::string(text);
    host_.statusChanged(result.message);
}

void Job::fail(std::string_view text) {
    result.message = std::string(text);
    host_.failure(result.message);
    host_.beep();
    failed = true;
}

void Job::complete(std::string_view text) {
    status(text);
    processEvents();
    host_.beep();
    result.completed = true;
}

bool Job::readInput(const std::string& path, std::string& data) {
    if (fileSystem().read(path, data, [this] { processEvents(); })) return true;
    fail("Cannot read file: " + path);
    return false;
}

void Job::finishInterrupted(const std::vector<std::string>& sources) {
    // Two jobs of one process may find the same dead commit in their folder: one finishes it.
    static std::mutex oneAtATime;
    InterruptedCommits found;
    {
        std::lock_guard lock(oneAtATime);
        found = finishInterruptedCommits(sources);
    }
    // Long enough to be read in the window before the job's own lines follow.
    auto tell = [this](const std::string& text) {
        status(text);
        host_.pace(Host::Pace::Notice);
    };
    for (const std::string& done : found.completed)
        tell("Completed an interrupted conversion: " + done);
    for (const std::string& record : found.unfinished)
        tell("Cannot complete an interrupted conversion: " + record);
    for (const std::string& record : found.ignored)
        tell("Ignored a commit record that this program did not write: " + record);
}

bool Job::commitOutputs(const std::vector<std::string>& inputs) {
    const std::string clash = out.clash(inputs);
    if (!clash.empty()) {
        out.clear();
        fail("Output file name clash: " + clash);
        return false;
    }
    out.setSources(inputs);
    std::vector<std::string> targets = out.targets();
    const std::string failedPath = out.commit([this] { host_.processEvents(); });
    out.clear();
    if (!failedPath.empty()) {
        fail("Cannot write file: " + failedPath);
        return false;
    }
    result.written = std::move(targets);
    return true;
}

}  // namespace quorlin
