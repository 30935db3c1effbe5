#include "app/core/session.h"
#include "region/writers.h"

namespace quorlin {

void objecttranslate(Session&) {}

}  // namespace quorlin
