#include "app/core/session.h"
#include "netlist/netlist.h"

namespace quorlin {

void netconverter(Session&) {}

}  // namespace quorlin
