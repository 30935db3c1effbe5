// Via style names, shared by the *VIAS section and anything else that names a via's style.
#pragma once

#include "region/stylelist.h"

namespace quorlin {

class Fields;

// "V" + shape letter + size + hole (Vc060035), and the report name (Vc-060-035).
using ViaStyleName = StyleName;

// Names of the via in a "via" record: the first character of field 2, then fields 3 and 4 as
// their last three characters after zero-padding. A double quote in them becomes an apostrophe,
// so the name can stand between the quotes of a region record.
ViaStyleName viaStyleName(const Fields& via);

}  // namespace quorlin
