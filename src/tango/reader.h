// Reads a Tango ASCII PCB file into the primitive sets.
#pragma once

#include <string>
#include <string_view>

namespace quorlin {

class Session;

// Unescapes a source line: backslash backslash -> backslash, backslash quote -> apostrophe.
std::string stripquotes(std::string_view datain);

// Reads the file named in fnme into the sets, the unhandled lines into the trash file and, with
// xport checked, every set into its diagnostic file. Returns false when the source could not be
// read (the session then holds the failure).
bool splitprimitives(Session& s);

// The same, from text already in memory (the file's contents).
void splitprimitivesFrom(Session& s, std::string source);

}  // namespace quorlin
