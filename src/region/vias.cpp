#include "app/core/session.h"
#include "region/writers.h"

namespace quorlin {

void viatranslate(Session&) {}

}  // namespace quorlin
