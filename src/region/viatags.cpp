#include "region/viatags.h"

#include "job/pcbjob.h"
#include "region/header.h"
#include "region/objectrecords.h"
#include "util/number.h"

namespace quorlin::objects {

bool isPlaneCode(std::string_view code) {
    if (code.size() != 2) return false;
    auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    const char a = lower(code[0]), b = lower(code[1]);
    return (a == 'p' || a == 'g') && (b == 'd' || b == 't');
}

void appendPlaneTag(std::string& out, double x, double y, std::string_view code) {
    appendLabel(out, "KO", unitsOrZero(x) + kRegionUnitsPerThousandth,
                unitsOrZero(y) + kRegionUnitsPerThousandth, kTagSizes, code);
}

void writeViaPlaneTags(PcbJob& s, std::string& rgn) {
    if (!s.options.tagVias) return;
    Fields f;
    for (std::string_view line : s.sets.viaset) {
        s.tick();
        f.assign(line);
        if (isPlaneCode(f[5])) appendPlaneTag(rgn, f.num(6), f.num(7), f[5]);
    }
}

}  // namespace quorlin::objects
