#include "region/stylelist.h"

#include "job/session.h"

namespace quorlin {

void registerStyleList(Session& s, std::string_view heading, size_t fileDashes,
                       const std::vector<StyleName>& styles) {
    if (s.form.writestyle == 1) {
        for (const StyleName& n : styles) s.registry.addstyle(n.style);
        return;
    }
    s.reportHeading(heading, fileDashes);
    for (const StyleName& n : styles) {
        s.spinme(1);
        s.registry.addstyle(n.style);
        s.reportLine(n.style + '\t' + n.report);
    }
    s.reportEnd();
}

}  // namespace quorlin
