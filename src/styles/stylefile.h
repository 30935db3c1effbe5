// Writes the registered styles as ARES style records.
#pragma once

#include <string>
#include <vector>

#include "job/registry.h"

namespace quorlin {

class Session;

// The registered names as the style file lists them: track names rewritten so that widths sort
// by value, then sorted by unsigned bytes, stably.
std::vector<std::string> sortedStyleNames(const StyleRegistry& registry);

// "_styles.txt" beside the source always; with writestyle checked, also the style file named
// in stylefile, keeping the previous one as a backup.
void writestylefile(Session& s);

}  // namespace quorlin
