// The main window's state as a plain model: what the window shows and the jobs read and write.
#pragma once

#include <array>
#include <string>

namespace quorlin {

// Check boxes hold 0 (unchecked), 1 (checked) or 2 (grayed).
struct Form {
    std::string fnme = "C:\\files\\cadd\\select.pcb";
    std::string netfnme = "C:\\files\\cadd\\select_TANGO";
    std::string netlista = "C:\\files\\cadd\\select_SDF1";
    std::string netlistb = "C:\\files\\cadd\\select_SDF2";
    std::string stylefile = "C:\\files\\cadd\\Default.STY";

    int exclusion = 0;
    int graphastrack = 0;
    int xport = 0;
    int replicate = 0;
    int writestyle = 0;
    int tagpads = 0;
    int tagvias = 0;
    int xpattern = 0;
    int xsdf = 0;
    int xdiff = 0;
    int guardgap = 3;  // list index, items "0" to "10"

    std::string errorbox = "No Errors";
    std::string reportbox;
    std::array<std::string, 13> counts{"0", "0", "0", "0", "0", "0", "0",
                                       "0", "0", "0", "0", "0", "0"};
    std::array<std::string, 12> netdata{"0", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0"};
    std::string spinner;
    bool notesVisible = true;
};

}  // namespace quorlin
