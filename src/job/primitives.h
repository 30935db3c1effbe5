// The eleven primitive sets of a Tango PCB file: whole source lines sorted by record keyword.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quorlin {

using PrimitiveSet = std::vector<std::string_view>;

// Lines are views into `storage`, which holds the unescaped source and lives as long as the sets.
struct PrimitiveSets {
    std::string storage;
    PrimitiveSet headerset, netset, compset, compcontentset, freepadset, viaset, freearcset,
        freepolyset, freetextset, trackset, trashset;

    void clear();
};

}  // namespace quorlin
