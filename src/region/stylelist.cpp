#include "region/stylelist.h"

#include "job/pcbjob.h"

namespace quorlin {

void registerStyleList(PcbJob& s, std::string_view heading, size_t fileDashes,
                       const std::vector<StyleName>& styles) {
    if (s.options.styleFile) {
        for (const StyleName& n : styles) s.registry.addstyle(n.style);
        return;
    }
    s.reportHeading(heading, fileDashes);
    for (const StyleName& n : styles) {
        s.tick();
        s.registry.addstyle(n.style);
        s.reportLine(n.style + '\t' + n.report);
    }
    s.reportEnd();
}

}  // namespace quorlin
