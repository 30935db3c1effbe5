// What a commit record found on disk may ask. Whoever made a folder controls the files in it, a
// planted record included: a record is a claim, done only when it asks nothing a job of this
// program would not have asked there, and a temporary file is deleted only when it is named
// as this program names its own.
#pragma once

#include <string>
#include <string_view>

#include "util/commitrecord.h"

namespace quorlin {

// The path made absolute and normal (no "." or ".." parts), by its letters alone.
std::string absoluteNormal(const std::string& path);

// The process named by a name that ends in mark + process + "_" + digits; 0 when it does not.
unsigned long ownerOf(std::string_view name, std::string_view mark);

// True when record, found in folder (absolute and normal) as the file name, could have been
// written there by a job of this program:
// - its name is the first source's file name + ".commit" + process + "_" + digits, and that
//   source lies in folder; every source is absolute and normal;
// - a step renames a temporary file named after its target (target + ".tmp" + the record's
//   process + "_" + digits) onto an output of one of the sources (its base and a suffix a job
//   writes, in its folder), or onto a style file whose backup is that file + ".bak";
// - or renames the ".bak" of such a style file to its ".orig" (digits may follow);
// - or deletes an output of the first source.
bool commitRecordAllowed(const CommitRecord& record, const std::string& folder,
                         const std::string& name);

// True when a temporary file of this name is this program's to clean up (its process checked
// apart): one beside an output or a commit record.
bool strayTemporaryName(std::string_view name);

}  // namespace quorlin
