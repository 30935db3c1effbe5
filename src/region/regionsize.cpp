#include "region/regionsize.h"

#include "region/arcsegments.h"
#include "util/fields.h"
#include "util/text.h"

namespace quorlin {

namespace {

// Room for one output line; most are well below it. Text records run longer, and the track
// writer reserves 64 bytes a segment on top of what the objects wrote: this room covers both,
// so the buffer is never moved once the objects have filled it.
constexpr size_t kLineBytes = 80;

bool isArc(const Fields& f) {
    return equalsLowerAscii(f[1], "arc");
}

}  // namespace

size_t regionSizeEstimate(const PrimitiveSets& sets) {
    size_t lines = 0;
    // A component: two reference labels. A component pad: three labels, two marks and four
    // outline lines. A pad or via: its record and a plane tag.
    lines += 2 * sets.compset.size() + 9 * sets.compcontentset.size();
    lines += 2 * (sets.freepadset.size() + sets.viaset.size());
    lines += sets.freetextset.size() + sets.freepolyset.size() + sets.trackset.size();
    Fields f;
    for (std::string_view line : sets.freearcset) {
        f.assign(line);
        lines += arcSegmentBound(f.num(2), f.num(4));
    }
    for (std::string_view line : sets.compcontentset) {
        f.assign(line);
        if (isArc(f)) lines += arcSegmentBound(f.num(2), f.num(4));
    }
    return lines * kLineBytes;
}

}  // namespace quorlin
