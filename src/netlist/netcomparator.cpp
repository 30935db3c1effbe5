#include "app/core/session.h"
#include "netlist/netlist.h"

namespace quorlin {

void netcomparator(Session&) {}

}  // namespace quorlin
