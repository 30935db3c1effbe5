#include "job/primitives.h"

namespace quorlin {

void PrimitiveSets::clear() {
    for (PrimitiveSet* set : {&headerset, &netset, &compset, &compcontentset, &freepadset, &viaset,
                              &freearcset, &freepolyset, &freetextset, &trackset, &trashset})
        set->clear();
    storage.clear();
}

}  // namespace quorlin
