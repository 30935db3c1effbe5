// File-name cleaning and splitting, and existence tests.
#pragma once

#include <string>

namespace quorlin {

// Trims the caller's name of blanks, drops the characters * ? < > | from the file name (the
// folder stays as written), and returns a part:
// 0 name with extension, 1 base, 2 extension, 3 directory, 4 whole path, 5 path without
// extension; any other part "". Both "\" and "/" separate directories.
std::string parsefilename(std::string& name, int part);
std::string parsefilename(const std::string& name, int part);

// An existing regular file; no wildcard expansion.
bool fileexists(const std::string& path);
// An existing directory or file.
bool direxists(const std::string& path);

// Why a job may not read path as a source, "" when it may: a link to a file outside its own
// folder would copy whatever it reaches (a key, another user's file) into the job's outputs,
// beside the link. A link within the folder is followed.
std::string sourceRefusal(const std::string& path);

}  // namespace quorlin
