#include "app/core/session.h"
#include "region/writers.h"

namespace quorlin {

void tracktranslate(Session&) {}

}  // namespace quorlin
