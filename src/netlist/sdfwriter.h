// The SDF 6.1 netlist text that ARES loads.
#pragma once

#include <string>
#include <string_view>

#include "netlist/model.h"

namespace quorlin {

// The whole file, every line ended by CR LF; created and modified are date texts.
std::string writeSdf(const Netlist& netlist, std::string_view created, std::string_view modified);

}  // namespace quorlin
