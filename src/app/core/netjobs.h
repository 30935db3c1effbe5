// The netlist jobs: Tango netlist to SDF, and the SDF netlist comparator.
#pragma once

namespace quorlin {

class Session;

// Converts the Tango netlist named in netfnme to an SDF netlist beside it.
void netconverter(Session& s);
// Compares the SDF netlists named in netlista and netlistb.
void netcomparator(Session& s);

}  // namespace quorlin
