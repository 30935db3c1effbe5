#include "job/pcbjob.h"

#include "util/text.h"

namespace quorlin {

PcbJob::PcbJob(const PcbOptions& options, Host& host, PcbResult& result, const JobTuning& tuning)
    : Job(host, result, tuning), options(options), counts(result.counts), pcbResult_(result) {}

void PcbJob::startCounting() {
    counts = {};
    if (!watched_) watched_.emplace(host(), pcbResult_);
}

void PcbJob::reportHeading(std::string_view heading, size_t fileDashes) {
    std::string& file = report();
    file.append(heading).append(kCrLf).append(fileDashes, '-').append(kCrLf);
    result.report.append(heading).append(kCrLf).append(58, '-').append(kCrLf);
}

void PcbJob::reportLine(std::string_view line) {
    report().append(line).append(kCrLf);
    result.report.append(line).append(kCrLf);
}

void PcbJob::reportEnd() {
    report().append(kCrLf);
    result.report.append(kCrLf);
}

void PcbJob::trashLine(std::string_view line) {
    trash().append(line).append(kCrLf);
    trashempty = false;
}

}  // namespace quorlin
