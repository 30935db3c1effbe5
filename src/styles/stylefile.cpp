#include "styles/stylefile.h"

#include <algorithm>

#include "job/pcbjob.h"
#include "styles/stylerecords.h"

namespace quorlin {

namespace {

// The style file can only be replaced inside an existing directory. "\" counts as a separator
// too, so a Windows path on another system is refused instead of becoming an odd file name in
// the working folder; an existing directory at the path itself is never moved aside.
bool replaceable(const std::string& path) {
    if (path.empty()) return false;
    const size_t sep = path.find_last_of("\\/");
    if (sep == path.size() - 1) return false;
    FileSystem& fs = fileSystem();
    if (fs.entry(path) == FileSystem::Entry::Directory) return false;
    if (sep == std::string::npos) return true;
    const std::string dir = sep == 0 ? path.substr(0, 1) : path.substr(0, sep);
    return fs.entry(dir) == FileSystem::Entry::Directory;
}

}  // namespace

std::vector<std::string> sortedStyleNames(const StyleRegistry& registry) {
    // A copy: the registry keeps the order in which the writers registered their styles.
    std::vector<std::string> names = registry.styles();
    rewriteTrackNames(names);
    // Stable, so the order is the one repeated neighbour swaps would give.
    std::stable_sort(names.begin(), names.end());
    return names;
}

void writestylefile(PcbJob& s) {
    const std::vector<std::string> names = sortedStyleNames(s.registry);

    std::string& text = s.out.create(s.base + "_styles.txt");
    text = styleFileText(names, s.options.guardGap, s.options.replicatePads, [&] { s.tick(); });

    if (!s.options.styleFile) return;
    const std::string& path = *s.options.styleFile;
    if (!replaceable(path)) {
        s.fail("Cannot write file: " + path);
        return;
    }
    s.out.replaceWithBackup(path, path + ".bak", text);
}

}  // namespace quorlin
