// Free pads: PAD records, their plane tags and the pad styles they need.
#include <unordered_set>

#include "job/pcbjob.h"
#include "region/header.h"
#include "region/objectblocks.h"
#include "region/objectrecords.h"
#include "region/recordtext.h"
#include "region/stylelist.h"
#include "region/viatags.h"
#include "util/number.h"
#include "util/text.h"

namespace quorlin::objects {

namespace {

// Layer text of a free pad, with its own trailing blank.
std::string_view padLayer(std::string_view shape, std::string_view side) {
    const std::string s = lowerAscii(shape);
    if (s == "rr" || s == "sq" || s == "el" || s == "ov") {
        const std::string d = lowerAscii(side);
        if (d == "tl") return "TOP ";
        if (d == "bl") return "BOT ";
        if (d == "al") return "ALL ";
        return "";
    }
    if (s == "mh") return "DRL ";
    if (s == "tg") return "ALL ";
    return "";
}

}  // namespace

void writeFreePads(PcbJob& s, std::string& rgn) {
    std::vector<StyleName> styles;
    std::unordered_set<std::string> known;
    Fields f;
    std::string a, b, c;
    for (std::string_view line : s.sets.freepadset) {
        s.tick();
        f.assign(line);
        const std::string_view shape = f[2];
        const std::string_view prefix = shape.substr(0, 2);
        const std::string_view sa = sizeFigure(f[3], a), sb = sizeFigure(f[4], b),
                               sc = sizeFigure(f[5], c);
        std::string name;
        name.append(prefix).append(sa).append(sb).append(sc);
        if (known.insert(name).second) {
            std::string reportName;
            reportName.append(prefix)
                .append("-")
                .append(sa)
                .append("-")
                .append(sb)
                .append("-")
                .append(sc);
            styles.push_back({name, std::move(reportName)});
        }

        rgn.append("PAD ");
        appendQuoted(rgn, shape);
        rgn += ' ';
        appendQuoted(rgn, name);
        rgn.append(" ").append(padLayer(shape, f[6])).append(" ");
        appendNumtext(rgn, lenientUnits(f, 9));
        rgn += ' ';
        appendNumtext(rgn, lenientUnits(f, 10));
        rgn.append(" 0 0").append(kCrLf);
        if (s.options.tagPads && isPlaneCode(f[7])) appendPlaneTag(rgn, f.num(9), f.num(10), f[7]);
    }

    registerStyleList(s, "Define the following Pads in ARES:", 36, styles);
}

}  // namespace quorlin::objects
