// The netlist jobs: Tango netlist to SDF, and the SDF netlist comparator.
#pragma once

#include "job/job.h"
#include "job/options.h"
#include "job/results.h"

namespace quorlin {

// Converts the Tango netlist o.source to an SDF netlist beside it.
void netconverter(Job& s, const NetOptions& o, NetResult& result);
// Compares the SDF netlists o.a and o.b.
void netcomparator(Job& s, const CompareOptions& o, CompareResult& result);

}  // namespace quorlin
