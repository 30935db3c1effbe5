// The three jobs: typed options in, a typed result out. Each keeps nothing from an earlier job
// and shares nothing with another, so several may run at once on several threads, each with
// its own host.
#pragma once

#include "job/host.h"
#include "job/job.h"
#include "job/options.h"
#include "job/results.h"

namespace quorlin {

// "Convert PCB to Region".
PcbResult convertPcb(const PcbOptions& options, Host& host, const JobTuning& tuning = {});
// "Convert Tango Nets to SDF".
NetResult convertNetlist(const NetOptions& options, Host& host, const JobTuning& tuning = {});
// "SDF Netlist Comparator".
CompareResult compareNetlists(const CompareOptions& options, Host& host,
                              const JobTuning& tuning = {});
// The board preview of a region file: options.output, or the source's name with ".svg".
JobResult previewRegion(const PreviewOptions& options, Host& host, const JobTuning& tuning = {});

}  // namespace quorlin
