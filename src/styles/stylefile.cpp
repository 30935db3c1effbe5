#include "styles/stylefile.h"

#include "app/core/session.h"

namespace quorlin {

void writestylefile(Session&) {}

}  // namespace quorlin
