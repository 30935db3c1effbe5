// Writes the registered styles as ARES style records.
#pragma once

namespace quorlin {

class Session;

// "_styles.txt" beside the source always; with writestyle checked, also the style file named
// in stylefile, keeping the previous one as a backup.
void writestylefile(Session& s);

}  // namespace quorlin
