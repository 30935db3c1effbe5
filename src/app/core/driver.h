// The command buttons: validates the file names and runs one of the three jobs.
#pragma once

namespace quorlin {

class Session;

// 0 "Convert PCB to Region", 1 "Convert Tango Nets to SDF", 2 "SDF Netlist Comparator";
// any other index only hides the help box.
void Commands_Click(Session& s, int index);

// Fills layerdrawmode from the graphastrack check state (grayed keeps the old table).
void fillLayerDrawMode(Session& s);

}  // namespace quorlin
