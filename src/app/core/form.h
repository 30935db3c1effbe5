// The main window's state as a plain model: the boxes it shows, check boxes as 0/1/2, counts as
// text. Only the windows and their rules (windowrules.h, dialog.h) use it; jobs take options.
#pragma once

#include <array>
#include <cstddef>
#include <string>

namespace quorlin {

// What each box of Form::counts shows: source lines of each kind the PCB job read.
namespace count {
inline constexpr size_t kVertex = 0, kComponentOther = 1, kHeaders = 2, kNets = 3, kComponents = 4,
                        kPads = 5, kVias = 6, kArcs = 7, kPolygons = 8, kText = 9, kLines = 10,
                        kTrash = 11, kComponentPads = 12;
inline constexpr size_t kBoxes = 13;
}  // namespace count

// What each box of Form::netdata shows. The converter fills the first three (its netlist's
// column A); the comparator fills A, B and their differences.
namespace netdata {
inline constexpr size_t kNetsA = 0, kNodesA = 1, kPartsA = 2, kNetsB = 3, kNodesB = 4, kPartsB = 5,
                        kSingleNodeNetsA = 6, kSingleNodeNetsB = 7, kNetsDelta = 8, kNodesDelta = 9,
                        kPartsDelta = 10, kSingleNodeNetsDelta = 11;
inline constexpr size_t kBoxes = 12;
// The grid: the boxes of columns A, B and Delta, rows Nets, SN-Nets, Nodes, Parts.
inline constexpr size_t kGrid[3][4] = {
    {kNetsA, kSingleNodeNetsA, kNodesA, kPartsA},
    {kNetsB, kSingleNodeNetsB, kNodesB, kPartsB},
    {kNetsDelta, kSingleNodeNetsDelta, kNodesDelta, kPartsDelta}};
}  // namespace netdata

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
    std::array<std::string, count::kBoxes> counts{"0", "0", "0", "0", "0", "0", "0",
                                                  "0", "0", "0", "0", "0", "0"};
    std::array<std::string, netdata::kBoxes> netdata{"0", "0", "0", "0", "0", "0",
                                                     "0", "0", "0", "0", "0", "0"};
    std::string spinner;
    bool notesVisible = true;
};

}  // namespace quorlin
