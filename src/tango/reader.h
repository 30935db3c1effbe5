// Reads a Tango ASCII PCB file into the primitive sets.
#pragma once

#include <string>
#include <string_view>

namespace quorlin {

class PcbJob;

// Unescapes a source line: backslash backslash -> backslash, backslash quote -> apostrophe.
std::string stripquotes(std::string_view datain);

// Reads the job's source into the sets, the unhandled lines into the trash file and, when
// primitives are exported, every set into its diagnostic file. Returns false when the source
// could not be read or holds no Tango record (the job then holds the failure).
bool splitprimitives(PcbJob& s);

// The same, from text already in memory (the file's contents).
bool splitprimitivesFrom(PcbJob& s, std::string source);

}  // namespace quorlin
