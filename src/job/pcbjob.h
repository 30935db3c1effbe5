// What the PCB job works in beside what every job does: its options, the primitive sets, the
// style registry, the draw modes, the trash flag, the output base and the counts.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "job/job.h"
#include "job/options.h"
#include "job/primitives.h"
#include "job/registry.h"

namespace quorlin {

class PcbJob : public Job {
  public:
    PcbJob(const PcbOptions& options, Host& host, PcbResult& result, const JobTuning& tuning);

    const PcbOptions& options;
    PcbCounts& counts;
    PrimitiveSets sets;
    StyleRegistry registry;
    // Per Tango layer: 1 draws the layer's graphics as tracks, 2 as graphics.
    LayerDrawModes layerdrawmode{};
    bool trashempty = true;
    // Output base: the source path without extension.
    std::string base;
    // Where the style file's older backup, a user's file, is kept; "" when it is not.
    std::string keptStyleBackup;

    // The counts start from zero, and the host sees them (and the report) as they grow.
    void startCounting();

    // Output buffers.
    std::string& region() { return out.append(base + ".rgn"); }
    std::string& trash() { return out.append(base + "_Trash.txt"); }
    std::string& report() { return out.append(base + ".rep"); }

    // Style lists for the user: heading and a dash row (fileDashes long in the file, 58 in the
    // result's report), lines, and the closing empty line.
    void reportHeading(std::string_view heading, size_t fileDashes);
    void reportLine(std::string_view line);
    void reportEnd();

    // Appends one source line to the trash file and marks it non-empty.
    void trashLine(std::string_view line);

  private:
    PcbResult& pcbResult_;
    std::optional<Watched<PcbResult>> watched_;
};

}  // namespace quorlin
