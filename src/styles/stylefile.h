// Writes the registered styles as ARES style records.
#pragma once

#include <string>
#include <vector>

#include "job/registry.h"

namespace quorlin {

class PcbJob;

// The registered names as the style file lists them: track names rewritten so that widths sort
// by value, then sorted by unsigned bytes, stably.
std::vector<std::string> sortedStyleNames(const StyleRegistry& registry);

// "_styles.txt" beside the source always; with a style file among the options, also that file,
// keeping the previous one as a backup.
void writestylefile(PcbJob& s);

}  // namespace quorlin
