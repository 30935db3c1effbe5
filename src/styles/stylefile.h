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
// keeping the previous one as a backup. An older backup this program did not write (a user's
// library) is kept too, under the first free name of ".orig", ".orig2", ...
void writestylefile(PcbJob& s);

// After the commit: the report's last line names where a user's older backup went.
void reportKeptStyleBackup(PcbJob& s);

}  // namespace quorlin
