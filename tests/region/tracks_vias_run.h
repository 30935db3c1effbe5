// Runs the PCB job on a small board and keeps what the region tests look at.
#pragma once

#include <string>
#include <vector>

#include "app/core/form.h"

namespace quorlin::test {

struct Converted {
    std::string rgn, rep, trash, reportbox;
    bool repExists = false, trashExists = false;
    std::vector<std::string> styles, statuses;

    // The layer sections: from "*LAYER TOP" to the end (the track writer writes last).
    std::string layers() const;
    // The via section, "*VIAS" to "*END_VIAS" included; "" when there is none.
    std::string vias() const;
};

// Converts the board (lines joined with CR LF) with the options of form; the style file, if
// written, stays in the temporary folder.
Converted convertBoard(const std::vector<std::string>& board, Form form = {});

// True when text ends with tail.
bool endsWith(const std::string& text, const std::string& tail);

}  // namespace quorlin::test
